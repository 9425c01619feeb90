// "Internet Preset Database": lists the presets a database server holds and
// downloads one. The main window runs it modally (RunInternetDatabase) and
// takes the downloaded preset, if any, as its current preset.
//
// Settings (section "Internet"): "Server" (host, or host:port) and
// "BaseURL" (put in front of every request path). Edits to the two boxes
// take effect only through "&Save configuration".
#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

#include "CPreset.h"

class ISettings;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

inline constexpr const char* kInternetSection = "Internet";
inline constexpr const char* kServerKey = "Server";
inline constexpr const char* kBaseUrlKey = "BaseURL";

class dlgInternet : public QDialog {
  Q_OBJECT

 public:
  explicit dlgInternet(ISettings& settings, QWidget* parent = nullptr);

  bool IsPresetLoaded() const { return preset_.has_value(); }
  // The downloaded preset; empty until a download is validated.
  const std::optional<CPreset>& Preset() const { return preset_; }
  // The database's id of the downloaded preset.
  int32_t PresetId() const { return presetId_; }

 private:
  void BuildControls();
  void LayOut();
  void ConnectCommands();
  void ShowColumns();

  void SaveConfiguration();
  void RefreshList();
  void LoadPreset();
  bool TakeDownload(const std::string& body);

  ISettings& settings_;
  std::string server_;
  std::string basePath_;
  std::optional<CPreset> preset_;
  int32_t presetId_ = 0;

  QLineEdit* txtServer = nullptr;
  QLineEdit* txtBaseURL = nullptr;
  QPushButton* cmdConfig = nullptr;
  QPlainTextEdit* txtLabels = nullptr;
  QListWidget* lstPresets = nullptr;
  QPushButton* cmdRefreshList = nullptr;
  QPushButton* cmdLoadPreset = nullptr;
  QPushButton* cmdClose = nullptr;
};

struct InternetDownload {
  CPreset preset;
  int32_t id = 0;  // the database's
};

// Shows the dialog modally; the preset the user downloaded, or nothing.
std::optional<InternetDownload> RunInternetDatabase(ISettings& settings, QWidget* parent = nullptr);
