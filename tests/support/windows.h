#pragma once

#include "links/referral.h"
#include "system/effects.h"
#include "ui/about/aboutwindow.h"
#include "ui/exit/exitwindow.h"
#include "ui/main/mainwindow.h"
#include "ui/result/resultwindow.h"

#include <QString>

#include <memory>

namespace tintwise::test {

/// A fresh window of the four by its object name: frmMain, frmDisplay, frmAbout or frmNagScreen2.
inline std::unique_ptr<QWidget> makeWindow(const QString &name, Effects &effects, ReferralRecord &record)
{
    if (name == QLatin1String("frmMain"))
        return std::make_unique<MainWindow>(effects);
    if (name == QLatin1String("frmDisplay"))
        return std::make_unique<ResultWindow>(effects);
    if (name == QLatin1String("frmAbout"))
        return std::make_unique<AboutWindow>(effects);
    return std::make_unique<ExitWindow>(effects, record);
}

} // namespace tintwise::test
