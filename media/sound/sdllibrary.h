#pragma once

#define SDL_MAIN_HANDLED
#include <SDL.h>

// Every SDL function the game calls, looked up in SDL loaded at run time:
// linking SDL would load it and the thirty-odd libraries it pulls in before
// the first frame.
#define WORDNEST_SDL_FUNCTIONS(X)                                                                   \
    X(SDL_SetHint) X(SDL_SetMainReady) X(SDL_InitSubSystem) X(SDL_QuitSubSystem)                     \
    X(SDL_OpenAudioDevice) X(SDL_CloseAudioDevice) X(SDL_GetQueuedAudioSize) X(SDL_ClearQueuedAudio) \
    X(SDL_QueueAudio) X(SDL_PauseAudioDevice) X(SDL_LoadWAV_RW) X(SDL_FreeWAV) X(SDL_RWFromConstMem) \
    X(SDL_BuildAudioCVT) X(SDL_ConvertAudio) X(SDL_GetTicks64) X(SDL_Delay)                          \
    X(SDL_DequeueAudio) X(SDL_GetError)

struct SdlLibrary
{
#define WORDNEST_SDL_POINTER(name) decltype(&::name) name = nullptr;
    WORDNEST_SDL_FUNCTIONS(WORDNEST_SDL_POINTER)
#undef WORDNEST_SDL_POINTER
};

// SDL once per process; null when it is missing (the game is silent then).
// The library stays loaded: SDL's threads and ALSA's handler live in it.
const SdlLibrary *sdl();
