// The editor's way into the preset library: the file is opened when first
// needed, presets that arrive are kept (unless the user turned that off),
// and the entry on screen is remembered so that a kept edit becomes a new
// version of it. A library that cannot be opened or written never stops
// what the user is doing: it is said once, and keeping stops until restart.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PresetLibrary.h"
#include "SendVerification.h"

class ISettings;

inline constexpr const char* kLibrarySection = "Library";
inline constexpr const char* kKeepAutomaticallyKey = "KeepAutomatically";

class LibraryKeeper final : public QObject {
  Q_OBJECT

 public:
  explicit LibraryKeeper(ISettings& settings, QObject* parent = nullptr);
  ~LibraryKeeper() override;

  // The library, opened now if need be; null (after the one message) when it
  // cannot be.
  PresetLibrary* Library();
  bool KeepsAutomatically() const;
  void SetKeepAutomatically(bool on);

  // Presets that arrived: kept when automatic keeping is on. The first (or
  // only) one becomes the entry on screen.
  void Arrived(const PresetImage& image, const LibrarySource& source);
  // Dump slots: each kept under its slot number.
  void ArrivedMany(const std::vector<std::pair<int, PresetImage>>& slots, const LibrarySource& source);
  // Slots read from the device (a backup, a received dump): kept as
  // ArrivedMany keeps them, and each user preset (U1-U100) recorded as what
  // device holds in its slot.
  void ArrivedFromDevice(const std::string& device, const std::vector<std::pair<int, PresetImage>>& slots,
                         const LibrarySource& source);
  // A dump went out to device: the user presets of it whose numbers are in
  // held are recorded as what their slots hold (kept first); the others'
  // state becomes unknown, as does every one's when keeping is off.
  void DumpSent(const std::string& device, const std::vector<SentPreset>& sent, const std::vector<int>& held);
  // The preset on screen as a new version of the entry on screen (a new
  // entry when there is none); the id kept, none when it failed.
  std::optional<int64_t> KeepVersion(const PresetImage& image);

  std::optional<int64_t> EntryOnScreen() const { return onScreen_; }
  void SetEntryOnScreen(std::optional<int64_t> id) { onScreen_ = id; }
  // Said once; later failures are only logged.
  void Failed(const std::string& why);

 Q_SIGNALS:
  // Entries were added or changed.
  void changed();

 private:
  template <typename Work>
  bool Try(Work work);
  // ArrivedMany's keeping; also gets each preset kept with its entry id.
  template <typename Also>
  void KeepAll(const std::vector<std::pair<int, PresetImage>>& slots, const LibrarySource& source, Also also);

  ISettings& settings_;
  std::unique_ptr<PresetLibrary> library_;
  std::optional<int64_t> onScreen_;
  bool broken_ = false;
};
