// A host compiled apart from the library: it declares the interfaces itself,
// slot by slot, loads libtavrix.so with dlopen and drives it. A slot that
// drifts in the library shows up here as a wrong answer or a crash.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "HostDeclarations.h"
#include "TestPaths.h"

namespace {

using namespace host;

class Library {
 public:
  Library() : handle_(dlopen(TAVRIX_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) return;
    create = reinterpret_cast<CreateFn>(dlsym(handle_, "CreateParticleSystem"));
    version = reinterpret_cast<VersionFn>(dlsym(handle_, "GetParticleSystemVersion"));
  }
  ~Library() {
    if (handle_) dlclose(handle_);
  }
  bool Loaded() const { return handle_ && create && version; }

  CreateFn create = nullptr;
  VersionFn version = nullptr;

 private:
  void* handle_;
};

class CountingAllocator : public IParticleAllocator {
 public:
  void* Allocate(uint32_t size) override {
    if (refuseAll) return nullptr;
    void* p = std::malloc(size ? size : 1);
    live.insert(p);
    return p;
  }
  void Free(void* p) override {
    if (!p) return;
    EXPECT_EQ(live.erase(p), 1u) << "freed a block this allocator never handed out";
    std::free(p);
  }
  void* Destroy(unsigned int) override { return this; }
  std::set<void*> live;
  bool refuseAll = false;
};

TEST(HostAbi, ExportsTheTwoEntryPoints) {
  Library library;
  ASSERT_TRUE(library.Loaded()) << dlerror();
  EXPECT_EQ(library.version(), 1);
}

TEST(HostAbi, RefusedFactoryAllocationGivesNull) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  CountingAllocator allocator;
  allocator.refuseAll = true;
  EXPECT_EQ(library.create(0, &allocator), nullptr);
}

TEST(HostAbi, UninitialisedSystemAnswersEveryGuardCode) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  CountingAllocator allocator;
  IParticleSystemFactory* factory = library.create(12345, &allocator);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->Reserved2(), 0);
  IParticleSystem* system = factory->CreateSystem();
  ASSERT_NE(system, nullptr);

  EXPECT_EQ(system->LoadEffect("none.eff"), -4000);
  EXPECT_EQ(system->UnloadEffect(0), -3955);
  EXPECT_EQ(system->SetEffectPosition(0, 1, 2, true), -3953);
  EXPECT_EQ(system->PlayEffect(0, 0), -3960);
  EXPECT_EQ(system->ClearEffect(0), -3958);
  EXPECT_EQ(system->UpdateAllTo(10), -3956);
  EXPECT_EQ(system->UpdateEffect(0, 10), -3956);
  EXPECT_EQ(system->UpdateAll(10), -3956);
  EXPECT_EQ(system->SaveEffect("out.eff"), -3951);
  EXPECT_EQ(system->SetViewSize(800, 600, true), -3954);
  EXPECT_EQ(system->DrawAll(), -3962);
  EXPECT_EQ(system->DrawEffect(0), 0);
  EXPECT_EQ(system->GetEffectCount(), 0);
  EXPECT_EQ(system->GetEffectWidth(0), 0);
  EXPECT_EQ(system->GetEffectHeight(0), 0);
  EXPECT_EQ(system->BeginFrame(), 0);
  EXPECT_EQ(system->EndFrame(), 0);
  EXPECT_EQ(system->Reserved7(1, 2), 0);
  EXPECT_EQ(system->Reserved15(3), 0);
  system->Reserved12();
  system->Reserved13();
  system->SetFinishListener(nullptr);

  system->Release();
  factory->Release();
  EXPECT_TRUE(allocator.live.empty());
}

TEST(HostAbi, InitialisedWithoutDeviceAndReleasedLeavesNothingLive) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  CountingAllocator allocator;
  IParticleSystemFactory* factory = library.create(0, &allocator);
  ASSERT_NE(factory, nullptr);
  IParticleSystem* system = factory->CreateSystem();
  ASSERT_NE(system, nullptr);
  WindowRecord window = {0, 0, 640, 480};
  EXPECT_EQ(system->Initialise(&window, nullptr, nullptr), 0);
  EXPECT_EQ(system->GetEffectCount(), 0);
  EXPECT_EQ(system->GetEffectWidth(7), 400);
  EXPECT_EQ(system->GetEffectHeight(7), 400);
  EXPECT_EQ(system->LoadEffect("/nonexistent/effect.eff"), -3999);
  EXPECT_EQ(system->SetEffectPosition(3, 0, 0, false), -3952);
  EXPECT_EQ(system->UpdateAll(16), 0);
  EXPECT_EQ(system->SaveEffect("/nonexistent/out.eff"), -3950);
  EXPECT_EQ(system->DrawAll(), 0);
  EXPECT_EQ(system->SetViewSize(800, 0, true), 0);
  system->Release();
  factory->Release();
  EXPECT_TRUE(allocator.live.empty());
}

TEST(HostAbi, FactoryReleasedBeforeItsSystemDoesNotBreakTheSystemsRelease) {
  Library library;
  ASSERT_TRUE(library.Loaded());
  CountingAllocator allocator;
  IParticleSystemFactory* factory = library.create(0, &allocator);
  IParticleSystem* system = factory->CreateSystem();
  WindowRecord window = {0, 0, 320, 240};
  ASSERT_EQ(system->Initialise(&window, nullptr, nullptr), 0);
  factory->Release();
  system->Release();
  EXPECT_TRUE(allocator.live.empty());
}

// The switch file is read beside the host executable, so this test copies its
// own executable into a fresh folder and runs it there as a probe host.
int RunProbe(const std::string& iniContents, bool writeIni) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("tavrix-host-" + std::to_string(getpid()) + (writeIni ? "a" : "b"));
  std::filesystem::create_directories(dir);
  std::filesystem::path probe = dir / "probe";
  std::filesystem::copy_file("/proc/self/exe", probe,
                             std::filesystem::copy_options::overwrite_existing);
  if (writeIni) std::ofstream(dir / "Particle.ini") << iniContents;
  std::string command = probe.string() + " --switch-probe > " + (dir / "out.txt").string();
  int status = std::system(command.c_str());
  std::ifstream in(dir / "out.txt");
  int answer = -1;
  in >> answer;
  std::filesystem::remove_all(dir);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? answer : -2;
}

TEST(HostAbi, ParticleIniBesideTheExecutableDisablesEffects) {
  EXPECT_EQ(RunProbe("", false), 0);
  EXPECT_EQ(RunProbe("[System]\nEnableParticle=1\n", true), 0);
  EXPECT_EQ(RunProbe("[System]\nEnableParticle=0\n", true), -3938);
  EXPECT_EQ(RunProbe("[system]\nenableparticle=-1\n", true), -3938);
}

// The probe host: prints what UpdateAll answers after Initialise, and checks
// that a disabled system still initialises and counts its effects.
int SwitchProbe() {
  Library library;
  if (!library.Loaded()) return 3;
  IParticleSystemFactory* factory = library.create(0, nullptr);
  IParticleSystem* system = factory->CreateSystem();
  WindowRecord window = {0, 0, 640, 480};
  if (system->Initialise(&window, nullptr, nullptr) != 0) return 4;
  int32_t answer = system->UpdateAll(10);
  if (answer == -3938 && (system->LoadEffect("x.eff") != -3938 || system->GetEffectCount() != 0 ||
                          system->BeginFrame() != 0 || system->EndFrame() != 0 ||
                          system->DrawAll() != -3938 || system->DrawEffect(0) != -3938))
    return 5;
  std::printf("%d\n", answer);
  system->Release();
  factory->Release();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--switch-probe") return SwitchProbe();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
