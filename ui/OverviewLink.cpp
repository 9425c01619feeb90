#include "OverviewLink.h"

#include <QAction>

#include "MainMenu.h"
#include "frmMDIMain.h"
#include "frmOverview.h"

OverviewLink::OverviewLink(frmMDIMain& frame) : QObject(&frame), frame_(frame) {
  frmOverview& overview = frame.Overview();
  connect(&frame, &frmMDIMain::edited, this, &OverviewLink::Refresh);
  connect(&frame, &frmMDIMain::commandEdited, this, &OverviewLink::Refresh);
  connect(&frame, &frmMDIMain::presetShown, this, &OverviewLink::Refresh);
  connect(&frame, &frmMDIMain::stateShown, this, &OverviewLink::Refresh);
  connect(&overview, &frmOverview::blockChosen, &frame, &frmMDIMain::OpenBlockFromToolbar);
  connect(&overview, &frmOverview::blockMenuAsked, &frame, [&frame](BlockNumber iBlock, QPoint globalPos) {
    frame.OpenBlockMenu(BlockMenuForm::Toolbar, iBlock, Qt::RightButton, globalPos);
  });
  connect(frame.Menu().mnuEditOverview, &QAction::triggered, &frame, [&frame] { frame.ShowBlock(0); });
}

void OverviewLink::Refresh() {
  const std::shared_ptr<CPreset>& preset = frame_.Preset();
  if (!preset || frame_.State() == DisplayState::Empty) return;
  CPreset screen = *preset;
  for (BlockEditor* window : frame_.Blocks().All()) window->Gather(screen);
  frame_.Overview().Show(screen.Image());
}
