// The whole preset at a glance: every block in signal order as a card with
// its lamp, type and main values, then the routing picture and the tap tempo.
// The texts come from the parameter catalogue, so a card says what the
// block's editor says. A click on a card asks for that block's editor, a
// right-click for its block menu; the frame shows the overview while a preset
// is on screen and no block window is chosen, and feeds it every edit.
#pragma once

#include <QFrame>
#include <QWidget>
#include <array>
#include <vector>

#include "PresetLayout.h"

struct CatalogBlock;
class QLabel;
class SvgPicture;

// One block's card, named "card" + the block's short name.
class OverviewCard final : public QFrame {
  Q_OBJECT

 public:
  OverviewCard(const CatalogBlock& block, const char* name, QWidget* parent = nullptr);
  void Show(const PresetImage& image);
  BlockNumber Block() const;

 Q_SIGNALS:
  void chosen(BlockNumber iBlock);
  void menuAsked(BlockNumber iBlock, QPoint globalPos);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QLabel* AddLabel(const QString& suffix);
  void ShowLamp(const PresetImage& image);
  void ShowRouting(const PresetImage& image);

  const CatalogBlock& block_;
  QLabel* type_ = nullptr;
  std::vector<QLabel*> values_;
  SvgPicture* lampOn_ = nullptr;
  SvgPicture* lampOff_ = nullptr;
  std::array<SvgPicture*, 3> routing_{};
};

class frmOverview final : public QWidget {
  Q_OBJECT

 public:
  explicit frmOverview(QWidget* parent = nullptr);
  // Every card anew from the image of what the editors show.
  void Show(const PresetImage& image);
  const std::vector<OverviewCard*>& Cards() const { return cards_; }

 Q_SIGNALS:
  void blockChosen(BlockNumber iBlock);
  void blockMenuAsked(BlockNumber iBlock, QPoint globalPos);

 private:
  std::vector<OverviewCard*> cards_;
};
