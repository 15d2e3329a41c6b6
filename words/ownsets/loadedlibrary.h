#pragma once

#include <QLibrary>

// The sound file and archive libraries are opened on first use, so a game
// without sets of its own never pays for loading them (and the twenty
// libraries they bring) at start-up. Each names its functions in a list:
//   #define SNDFILE_FUNCTIONS(F) F(sf_close) F(sf_readf_float)
//   WORDNEST_LOADED_LIBRARY(SndFile, "sndfile", 1, SNDFILE_FUNCTIONS)
// gives `const SndFile *SndFile::get()`, null when the library or one of the
// functions is missing, and `get()->sf_close(...)` calls through it.
#define WORDNEST_DECLARE_FUNCTION(name) decltype(&::name) name = nullptr;
#define WORDNEST_RESOLVE_FUNCTION(name) \
    loaded = loaded && (library.name = reinterpret_cast<decltype(library.name)>(file.resolve(#name)));
#define WORDNEST_LOADED_LIBRARY(Type, fileName, version, FUNCTIONS) \
    struct Type \
    { \
        FUNCTIONS(WORDNEST_DECLARE_FUNCTION) \
        static const Type *get() \
        { \
            static const Type *const once = [] { \
                static Type library; \
                QLibrary file(QStringLiteral(fileName), version); \
                bool loaded = file.load(); \
                FUNCTIONS(WORDNEST_RESOLVE_FUNCTION) \
                return loaded ? &library : nullptr; \
            }(); \
            return once; \
        } \
    };
