// Everything a host needs: the two exported functions and the interfaces
// they lead to.
#pragma once

#include <cstdint>

#include "tavrix/IEffectFinishListener.h"
#include "tavrix/IParticleAllocator.h"
#include "tavrix/IParticleImage.h"
#include "tavrix/IParticleSystem.h"
#include "tavrix/IParticleSystemFactory.h"
#include "tavrix/ResultCode.h"

// Both exports use the caller-cleans convention, whatever a Windows host's
// compiler defaults to.
#if defined(_WIN32) && defined(TAVRIX_BUILDING)
#define TAVRIX_EXPORT __declspec(dllexport)
#define TAVRIX_CALL __cdecl
#elif defined(_WIN32)
#define TAVRIX_EXPORT __declspec(dllimport)
#define TAVRIX_CALL __cdecl
#else
#define TAVRIX_EXPORT __attribute__((visibility("default")))
#define TAVRIX_CALL
#endif

extern "C" {
TAVRIX_EXPORT tavrix::IParticleSystemFactory* TAVRIX_CALL CreateParticleSystem(
    uint32_t reserved, tavrix::IParticleAllocator* allocator);
TAVRIX_EXPORT int32_t TAVRIX_CALL GetParticleSystemVersion();
}
