#include "sound/sdllibrary.h"

#include <dlfcn.h>

const SdlLibrary *sdl()
{
    static const SdlLibrary *loaded = [] () -> const SdlLibrary * {
        void *library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        static SdlLibrary functions;
        bool complete = true;
#define WORDNEST_SDL_RESOLVE(name)                                                    \
    functions.name = reinterpret_cast<decltype(functions.name)>(dlsym(library, #name)); \
    complete = complete && functions.name;
        WORDNEST_SDL_FUNCTIONS(WORDNEST_SDL_RESOLVE)
#undef WORDNEST_SDL_RESOLVE
        return complete ? &functions : nullptr;
    }();
    return loaded;
}
