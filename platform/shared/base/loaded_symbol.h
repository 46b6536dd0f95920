#ifndef KBLAYOUTS_LOADED_SYMBOL_H
#define KBLAYOUTS_LOADED_SYMBOL_H

#include <dlfcn.h>

// Finds the symbol named in a library that dlopen loaded, as the type of
// *symbol; false where the library lacks it.
template <typename Symbol>
static inline bool LoadSymbol(void *library, const char *name, Symbol *symbol)
{
	*symbol = (Symbol)dlsym(library, name);
	return *symbol != NULL;
}

#endif
