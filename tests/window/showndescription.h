#pragma once

#include "common/treerows.h"
#include "controller/localdescription.h"
#include "model/concreteelement.h"
#include "model/settingsparser.h"
#include "widgets/custombutton.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

// The settings window showing one of the suite's descriptions.
struct ShownDescription
{
    LocalDescription source;
    SettingsDialog dialog;

    explicit ShownDescription(const QString &name) : source(QStringLiteral(VELMORA_TEST_DATA "/") + name)
    {
        dialog.initialize(&source, QStringLiteral("Test printer"));
        dialog.show();
    }

    SettingsViewItem *row(const QString &id) const { return TreeRow(dialog.paramList, id); }
    Element *element(const QString &id) const { return source.parser()->findElement(id); }
    void select(const QString &id) { dialog.paramList->setCurrentItem(row(id)); }
    // Replaces the text of the setting's spin box as a user would.
    void type(const QString &id, const QString &text)
    {
        auto *edit = element(id)->control()->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Sets a setting's value from outside its control, as a program would.
    void set(const QString &id, const QString &value)
    {
        auto *setting = qobject_cast<ConcreteElement *>(element(id));
        QVERIFY(setting);
        setting->setCurrent(value);
        setting->checkDependencies();
    }
};
