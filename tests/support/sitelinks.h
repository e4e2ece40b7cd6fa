#pragma once

#include <QAction>
#include <QWidget>
#include <QtTest>

namespace tintwise::test {

/// Columns "control" and "page", and a row for each link both reading windows share: the Help and Donate
/// menus and the promotional bands. An empty page: the control opens none.
inline void addLinkColumns()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
}

inline void addLinkRow(const char *tag, const char *control, const char *page)
{
    QTest::newRow(tag) << QString::fromLatin1(control) << QString::fromLatin1(page);
}

inline void addSharedLinkRows()
{
    addLinkRow("Help, online", "mnuOnline", "help-web-page");
    addLinkRow("Help, visit", "mnuVisit", "home-page");
    addLinkRow("Help, update", "mnuUpdate", "download-web-page");
    addLinkRow("Donate", "mnuDonate", "donate");
    addLinkRow("maker's name", "Label61", "home-page");
    addLinkRow("co-branding offer", "lblCobrand", "co-brand");
    addLinkRow("full-branding offer", "lblFullBrand", "fully-branded");
}

/// Triggers the menu command named `control` or clicks the label of that name, brought to the front first:
/// the full-branding offer lies behind the other until start-up picks it.
inline void activate(QWidget *window, const QString &control)
{
    if (auto *action = window->findChild<QAction *>(control)) {
        action->trigger();
        return;
    }
    QWidget *label = window->findChild<QWidget *>(control);
    QVERIFY2(label, qPrintable(control));
    label->raise();
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
}

} // namespace tintwise::test
