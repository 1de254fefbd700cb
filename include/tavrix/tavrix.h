// Everything a host needs: the two exported functions and the interfaces
// they lead to. The order of a host's life:
//   factory = CreateParticleSystem(0, nullptr);     // once
//   system = factory->CreateSystem();
//   system->Initialise(window, device, nullptr);    // or nullptr, loader
//   system->SetViewSize(clientWidth, clientHeight, false);
//   id = system->LoadEffect("fire.eff");
//   system->SetEffectPosition(id, x, y, true);
//   system->PlayEffect(id, 0);
//   every frame: system->UpdateAll(ms); system->DrawAll();
//   system->Release(); factory->Release();
// IParticleSystem.h explains units, identifiers and what is shared.
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
// Installs allocator as the process's allocator (null: one on malloc and
// free; see IParticleAllocator.h for when a later call changes it) and
// returns the factory, or null when there is no memory for it. reserved is
// ignored.
TAVRIX_EXPORT tavrix::IParticleSystemFactory* TAVRIX_CALL
CreateParticleSystem(uint32_t reserved, tavrix::IParticleAllocator* allocator);
// The interface's version: 1. Needs no CreateParticleSystem first.
TAVRIX_EXPORT int32_t TAVRIX_CALL GetParticleSystemVersion();
}
