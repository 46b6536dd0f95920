#ifndef KBLAYOUTS_INPUT_METHOD_FILES_H
#define KBLAYOUTS_INPUT_METHOD_FILES_H

#include "text.h"

// The language code ("ja", "zh_CN") that a file of fcitx5's describes an
// input method with, LangCode= in the [InputMethod] section of its
// NAME.conf: at most size - 1 bytes and a NUL into language. Looks in the
// fcitx5/inputmethod folders of the user's data ($XDG_DATA_HOME) and the
// system's ($XDG_DATA_DIRS), the user's first, as fcitx5 does. Returns
// false where no file describes it; input methods that addons add as they
// load have none.
bool DescribedLanguage(Text name, char *language, size_t size);

// The same of the language lines of one such file.
bool ConfLanguage(Text file, char *language, size_t size);

#endif
