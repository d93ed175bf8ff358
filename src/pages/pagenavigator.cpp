#include "pages/pagenavigator.h"

#include <QWidget>

// Placeholder until the page windows exist: the handlers are wired from the
// main window and do nothing yet.

PageNavigator::PageNavigator(AppState &, LinkController &, MessageService &, QWidget *,
                             QObject *parent)
    : QObject(parent)
{
}

PageNavigator::~PageNavigator() = default;

void PageNavigator::cmdBasic_Click() {}
void PageNavigator::cmdReference_Click() {}
void PageNavigator::cmdMotor_Click() {}
void PageNavigator::cmdContorl_Click() {}
void PageNavigator::cmdProtection_Click() {}
void PageNavigator::cmdOther_Click() {}
void PageNavigator::cmddqPID_Click() {}
void PageNavigator::cmdFluxWeaken_Click() {}
void PageNavigator::cmdDerate_Click() {}
void PageNavigator::cmdModeSet_Click() {}
void PageNavigator::cmdIdcCalib_Click() {}
void PageNavigator::cmdIacCalib_Click() {}
void PageNavigator::cmdCurve_Click() {}
void PageNavigator::showUserInfoPage() {}
void PageNavigator::onLinkTick(bool) {}
void PageNavigator::applyLanguage() {}
QWidget *PageNavigator::page(const QString &) const { return nullptr; }
