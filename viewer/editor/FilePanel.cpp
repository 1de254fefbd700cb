#include <SDL.h>
#include <imgui.h>

#include <filesystem>

#include "EditorPanels.h"
#include "PanelLayout.h"
#include "Viewer.h"
#include "edit/DocumentFiles.h"

namespace tavrix::viewer::editor {
namespace {

constexpr const char* kDiscardPopup = "Unsaved changes";
constexpr const char* kSaveAsPopup = "Save as";

bool CtrlPressed(ImGuiKey key) {
  return ImGui::GetIO().KeyCtrl && ImGui::IsKeyPressed(ImGui::GetKeyIndex(key), false);
}

}  // namespace

void FilePanel::Perform(const FileAction& action, Viewer& viewer) {
  switch (action.kind) {
    case FileAction::Kind::None: break;
    case FileAction::Kind::New: session_->New(); break;
    case FileAction::Kind::Open: session_->Open(action.path); break;
    case FileAction::Kind::Quit: viewer.Close(); break;
  }
}

void FilePanel::PerformPending(Viewer& viewer) {
  Perform(pending_, viewer);
  pending_ = {};
}

bool FilePanel::MayDiscard(FileAction pendingAction) {
  if (!session_->Document().Modified()) return true;
  pending_ = std::move(pendingAction);
  return false;
}

void FilePanel::MenuBar(Viewer& viewer) {
  if (!ImGui::BeginMenuBar()) return;
  FileAction action;
  if (ImGui::BeginMenu("File")) {
    if (ImGui::MenuItem("New from template")) action = {FileAction::Kind::New, {}};
    ImGui::InputText("##open", openPath_, sizeof openPath_);
    ImGui::SameLine();
    if (ImGui::Button("Open") && openPath_[0]) action = {FileAction::Kind::Open, openPath_};
    if (ImGui::BeginMenu("Open recent", !session_->Recent().Paths().empty())) {
      for (const std::string& path : session_->Recent().Paths())
        if (ImGui::MenuItem(path.c_str())) action = {FileAction::Kind::Open, path};
      ImGui::EndMenu();
    }
    ImGui::Separator();
    if (ImGui::MenuItem("Save", "Ctrl+S")) Save();
    if (ImGui::MenuItem("Save as JSON or .eff...")) saveAsRequested_ = true;
    ImGui::Separator();
    if (ImGui::MenuItem("Quit")) action = {FileAction::Kind::Quit, {}};
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Edit")) {
    edit::EffectDocument& document = session_->Document();
    if (ImGui::MenuItem(("Undo " + document.UndoLabel()).c_str(), "Ctrl+Z", false,
                        document.CanUndo()))
      session_->Undo();
    if (ImGui::MenuItem(("Redo " + document.RedoLabel()).c_str(), "Ctrl+Y", false,
                        document.CanRedo()))
      session_->Redo();
    ImGui::EndMenu();
  }
  ImGui::EndMenuBar();
  if (action.kind != FileAction::Kind::None && MayDiscard(action)) Perform(action, viewer);
}

void FilePanel::ShortcutKeys() {
  // While a text is typed, its own field takes Ctrl+Z.
  if (ImGui::GetIO().WantTextInput) return;
  if (CtrlPressed(ImGuiKey_Z)) session_->Undo();
  if (CtrlPressed(ImGuiKey_Y)) session_->Redo();
  // ImGui names no S: its keys are the SDL back end's scan codes.
  if (ImGui::GetIO().KeyCtrl && ImGui::IsKeyPressed(SDL_SCANCODE_S, false)) Save();
}

void FilePanel::Save() {
  // A new effect has no file yet: it is named first.
  if (session_->Path().empty())
    saveAsRequested_ = true;
  else
    session_->Save();
}

void FilePanel::SaveAsPopup() {
  if (saveAsRequested_) {
    ImGui::OpenPopup(kSaveAsPopup);
    saveAsRequested_ = false;
    if (!saveAs_[0]) snprintf(saveAs_, sizeof saveAs_, "%s", session_->Path().c_str());
  }
  if (!ImGui::BeginPopupModal(kSaveAsPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted(
      "A name ending in .json saves the record as JSON;\n"
      "any other, the enciphered effect file (as tavrix pack writes it).");
  ImGui::SetNextItemWidth(420);
  ImGui::InputText("file", saveAs_, sizeof saveAs_);
  if (ImGui::Button("Save") && session_->SaveAs(saveAs_)) ImGui::CloseCurrentPopup();
  ImGui::SameLine();
  if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
  ImGui::TextUnformatted(session_->Status().c_str());
  ImGui::EndPopup();
}

void FilePanel::DiscardPopup(Viewer& viewer) {
  if (pending_.kind != FileAction::Kind::None && !ImGui::IsPopupOpen(kDiscardPopup))
    ImGui::OpenPopup(kDiscardPopup);
  if (!ImGui::BeginPopupModal(kDiscardPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::Text("%s has changes that are not saved.",
              session_->Path().empty() ? "The new effect" : session_->Path().c_str());
  const bool canSave = !session_->Path().empty();
  if (canSave && ImGui::Button("Save, then go on") && session_->Save()) {
    PerformPending(viewer);
    ImGui::CloseCurrentPopup();
  }
  if (canSave) ImGui::SameLine();
  if (ImGui::Button("Discard them")) {
    PerformPending(viewer);
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("Cancel")) {
    pending_ = {};
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

void FilePanel::Draw(Viewer& viewer) {
  PlaceNextPanel(PanelPlace::File);
  const std::string name = std::filesystem::path(session_->Path()).filename().string();
  const std::string title = (name.empty() ? std::string("new effect") : name) +
                            (session_->Document().Modified() ? " *" : "") + "###file";
  ImGui::Begin(title.c_str(), nullptr, ImGuiWindowFlags_MenuBar);
  MenuBar(viewer);
  ShortcutKeys();
  ImGui::TextWrapped("%s", session_->Status().c_str());
  SaveAsPopup();
  DiscardPopup(viewer);
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
