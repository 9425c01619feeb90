#include "dlgInternet.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "AnsiText.h"
#include "CHTTPConnection.h"
#include "CLog.h"
#include "ISettings.h"
#include "LindelError.h"
#include "PresetDatabase.h"
#include "TabStopColumns.h"

namespace {

constexpr const char* kRefreshSource = "dlgInternet.cmdRefreshList";
constexpr const char* kLoadSource = "dlgInternet.cmdLoadPreset";
// Column stops of the list and its heading, in dialog units.
constexpr std::initializer_list<int> kTabStops = {100, 190, 345};
constexpr int kVisibleRows = 14;

// The hourglass for the whole application while a request runs.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString RowText(const PresetListRow& row) {
  return QStringList{QString::fromStdString(row.name), QString::fromStdString(row.song),
                     QString::fromStdString(row.description), QString::fromStdString(row.downloads)}
      .join('\t');
}

// A short, printable excerpt of a refused body, for the log.
std::string Excerpt(const std::string& body) {
  constexpr std::size_t kShown = 60;
  std::string shown = CleanField(body.substr(0, kShown));
  return shown.empty() ? "" : ": \"" + shown + (body.size() > kShown ? "...\"" : "\"");
}

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QObject::tr(caption), parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

dlgInternet::dlgInternet(ISettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName("dlgInternet");
  setWindowTitle(tr("Internet Preset Database"));
  BuildControls();
  LayOut();
  ConnectCommands();

  txtServer->setText(QString::fromStdString(settings_.Get(kInternetSection, kServerKey, PresetDatabase::kDefaultServer)));
  txtBaseURL->setText(
      QString::fromStdString(settings_.Get(kInternetSection, kBaseUrlKey, PresetDatabase::kDefaultBasePath)));
  server_ = txtServer->text().toStdString();
  basePath_ = txtBaseURL->text().toStdString();
  ShowColumns();
  lstPresets->setFocus();
}

void dlgInternet::BuildControls() {
  txtServer = new QLineEdit(this);
  txtServer->setObjectName("txtServer");
  txtBaseURL = new QLineEdit(this);
  txtBaseURL->setObjectName("txtBaseURL");
  cmdConfig = MakeButton("&Save configuration", "cmdConfig", this);

  txtLabels = new QPlainTextEdit(this);
  txtLabels->setObjectName("txtLabels");
  txtLabels->setReadOnly(true);
  txtLabels->setFocusPolicy(Qt::NoFocus);
  txtLabels->setFrameShape(QFrame::NoFrame);
  txtLabels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLabels->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLabels->setBackgroundRole(QPalette::Button);
  txtLabels->viewport()->setBackgroundRole(QPalette::Button);

  lstPresets = new QListWidget(this);
  lstPresets->setObjectName("lstPresets");
  lstPresets->setFrameShape(QFrame::NoFrame);
  lstPresets->setSelectionMode(QAbstractItemView::SingleSelection);
  lstPresets->setAlternatingRowColors(true);
  lstPresets->setUniformItemSizes(true);
  lstPresets->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  cmdRefreshList = MakeButton("Refresh List", "cmdRefreshList", this);
  cmdLoadPreset = MakeButton("Load Preset", "cmdLoadPreset", this);
  cmdClose = MakeButton("Close", "cmdClose", this);
}

void dlgInternet::LayOut() {
  auto* note = new QLabel(tr("Internet configuration, do not change unless the site setup has changed check:"), this);
  note->setWordWrap(true);
  auto* serverLabel = new QLabel(tr("Server"), this);
  serverLabel->setBuddy(txtServer);
  auto* baseLabel = new QLabel(tr("Base URL"), this);
  baseLabel->setBuddy(txtBaseURL);

  auto* config = new QGroupBox(this);
  auto* configGrid = new QGridLayout(config);
  configGrid->addWidget(note, 0, 0, 1, 5);
  configGrid->addWidget(serverLabel, 1, 0);
  configGrid->addWidget(txtServer, 1, 1);
  configGrid->addWidget(baseLabel, 1, 2);
  configGrid->addWidget(txtBaseURL, 1, 3);
  configGrid->addWidget(cmdConfig, 1, 4);
  configGrid->setColumnStretch(1, 3);
  configGrid->setColumnStretch(3, 2);

  // The heading and the rows share one frame, so their columns line up.
  auto* table = new QFrame(this);
  table->setFrameShape(QFrame::StyledPanel);
  auto* rule = new QFrame(table);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  auto* tableBox = new QVBoxLayout(table);
  tableBox->setContentsMargins(1, 1, 1, 1);
  tableBox->setSpacing(0);
  tableBox->addWidget(txtLabels);
  tableBox->addWidget(rule);
  tableBox->addWidget(lstPresets, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdRefreshList);
  buttons->addWidget(cmdLoadPreset);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);

  auto* page = new QVBoxLayout(this);
  page->addWidget(config);
  page->addWidget(table, 1);
  page->addLayout(buttons);
}

void dlgInternet::ConnectCommands() {
  connect(cmdConfig, &QPushButton::clicked, this, &dlgInternet::SaveConfiguration);
  connect(cmdRefreshList, &QPushButton::clicked, this, &dlgInternet::RefreshList);
  connect(cmdLoadPreset, &QPushButton::clicked, this, &dlgInternet::LoadPreset);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void dlgInternet::ShowColumns() {
  const QList<int> stops = TabStopsInPixels(fontMetrics(), kTabStops);
  lstPresets->setItemDelegate(new TabStopDelegate(stops, lstPresets));
  SetTextTabStops(*txtLabels, stops);
  txtLabels->setPlainText(QStringList{"Name", "song", "description", "Downloads"}.join('\t'));
  txtLabels->setFixedHeight(fontMetrics().height() + 2 * kColumnTextMargin);

  // Room for every column, the last one as wide as the one before it.
  const int width = stops.back() + (stops.back() - stops[stops.size() - 2]) / 2 + 2 * kColumnTextMargin +
                    lstPresets->verticalScrollBar()->sizeHint().width();
  lstPresets->setMinimumSize(width, kVisibleRows * (fontMetrics().height() + kRowPadding + 2));
}

void dlgInternet::SaveConfiguration() {
  server_ = txtServer->text().toStdString();
  basePath_ = txtBaseURL->text().toStdString();
  settings_.Set(kInternetSection, kServerKey, server_);
  settings_.Set(kInternetSection, kBaseUrlKey, basePath_);
}

void dlgInternet::RefreshList() {
  const WaitCursor wait;
  lstPresets->clear();
  CHTTPConnection http;
  if (!http.Connect(server_) || !http.Post(PresetDatabase::ListRequestPath(basePath_), "POST")) return;
  const PresetListParse list = ParsePresetList(http.File());
  for (const PresetListRow& row : list.rows) {
    auto* item = new QListWidgetItem(RowText(row), lstPresets);
    item->setData(Qt::UserRole, row.id);
    item->setToolTip(QString::fromStdString(row.name + "\n" + row.song + "\n" + row.description));
  }
  lstPresets->setCurrentRow(-1);
  if (!list.error.empty()) LogError(LindelError(ErrorNumber::Preset, kRefreshSource, list.error));
}

void dlgInternet::LoadPreset() {
  const WaitCursor wait;
  CHTTPConnection http;
  if (!http.Connect(server_)) return;
  const QList<QListWidgetItem*> selected = lstPresets->selectedItems();
  if (selected.isEmpty()) {
    LogError(LindelError(ErrorNumber::Preset, kLoadSource, "No preset selected"));
    return;
  }
  const int32_t id = selected.front()->data(Qt::UserRole).toInt();
  if (!http.Post(PresetDatabase::PresetRequestPath(basePath_, id), "GET")) return;
  if (!TakeDownload(http.File())) return;
  presetId_ = id;
  accept();
}

bool dlgInternet::TakeDownload(const std::string& body) {
  const std::vector<uint8_t> bytes = ToAnsi(body);
  const std::string problem = PresetImageProblem(bytes);
  preset_.emplace();
  if (problem.empty() && preset_->LoadFromByteArray(bytes)) return true;
  preset_.reset();
  LogError(LindelError(ErrorNumber::Preset, kLoadSource, "The server sent no preset (" + problem + ")" + Excerpt(body)));
  return false;
}

std::optional<InternetDownload> RunInternetDatabase(ISettings& settings, QWidget* parent) {
  dlgInternet dialog(settings, parent);
  dialog.exec();
  if (!dialog.Preset()) return std::nullopt;
  return InternetDownload{*dialog.Preset(), dialog.PresetId()};
}
