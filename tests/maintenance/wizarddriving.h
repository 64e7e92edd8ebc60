#pragma once

// What the maintenance suites share: reading what the simulated device
// received, and driving a wizard through its buttons as a user would.
#include "common/simulateddevice.h"
#include "common/treerows.h"
#include "maintenance/commandsender.h"
#include "maintenance/inkcommands.h"
#include "model/element.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QAbstractButton>
#include <QJsonObject>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWizard>

#include <algorithm>

// The commands as received() shows them.
inline const QString Clean = QStringLiteral("clean 55aa4c41698101");
inline const QString TestPage = QStringLiteral("test page 55aa4c416982");
inline const QString AlignmentPage = QStringLiteral("print alignment page 55aa4c416990");
inline const QString Start = QStringLiteral("alignment start 55aa4c41697f");
inline const QString Patterns = QStringLiteral("print alignment patterns 55aa4c416980");
inline const QString Verification = QStringLiteral("print verification page 55aa4c416991");

// The maintenance units the device received, in order: raw commands as
// "<command> <hex>", change documents as "changes <text>", anything else
// not a description request as "<request> <hex>".
inline QStringList received(const SimulatedDevice &device)
{
    QStringList units;
    for (const QJsonObject &record : device.records()) {
        const QString request = record.value("request").toString();
        if (request == QLatin1String("ALL?") || request == QLatin1String("DATA"))
            continue;
        if (request == QLatin1String("raw"))
            units << record.value("command").toString() + QLatin1Char(' ') + record.value("hex").toString();
        else if (request == QLatin1String("changes"))
            units << QStringLiteral("changes ") + record.value("text").toString();
        else
            units << request + QLatin1Char(' ') + record.value("hex").toString();
    }
    return units;
}

// Everything received before a marker sent now: the tests' writes are
// synchronous, so whatever they caused came first. The marker is a set
// command with a value no spin box offers.
inline QStringList receivedBeforeMarker(const SimulatedDevice &device)
{
    const QString marker = QStringLiteral("set A 550b00ff");
    if (!CommandSender(device.devicePath()).send(InkCommands::set('A', 0xff)))
        return {QStringLiteral("marker not sent")};
    // The device records as it reads: wait until the marker itself is there.
    for (int count = 1;; ++count) {
        if (!device.waitForRecords(count))
            return {QStringLiteral("no marker")};
        QStringList units = received(device);
        if (!units.isEmpty() && units.last() == marker) {
            units.removeLast();
            return units;
        }
    }
}

inline QList<QAbstractButton *> wizardButtons(QWizard &wizard)
{
    QList<QAbstractButton *> buttons;
    for (int which = QWizard::BackButton; which <= QWizard::CustomButton3; ++which) {
        if (QAbstractButton *button = wizard.button(QWizard::WizardButton(which)))
            buttons.append(button);
    }
    return buttons;
}

// The texts of the buttons the wizard shows, left to right.
inline QStringList shownButtons(QWizard &wizard)
{
    QList<QAbstractButton *> shown = wizardButtons(wizard);
    shown.erase(std::remove_if(shown.begin(), shown.end(), [](auto *b) { return !b->isVisible(); }),
                shown.end());
    std::sort(shown.begin(), shown.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
    QStringList texts;
    for (QAbstractButton *button : shown)
        texts.append(button->text());
    return texts;
}

// Clicks the shown, enabled button with this text.
inline bool click(QWizard &wizard, const QString &text)
{
    for (QAbstractButton *button : wizardButtons(wizard)) {
        if (button->isVisible() && button->isEnabled() && button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

// Selects the setting's row in the window and gives the push button its
// control shows in the panel; null when either is missing.
inline QPushButton *selectButton(SettingsDialog &dialog, const QString &id)
{
    SettingsViewItem *item = TreeRow(dialog.paramList, id);
    if (!item || !item->element())
        return nullptr;
    dialog.paramList->setCurrentItem(item);
    return dialog.panel->findChild<QPushButton *>();
}
