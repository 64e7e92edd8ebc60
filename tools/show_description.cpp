// Shows a description file in the settings window, without a device or a
// controller:
//
//   show_description <description.xml> [--select <id>] [--set <id>=<value>]...
//                    [--collapse <id>] [--slide 1] [--screenshot <file.png>]
//
// --select picks a category or setting as a click in the tree would, --set
// gives a setting a value as its control would, --collapse closes a
// category, --slide slides the favourites pane shut. With --screenshot the window is drawn into the file and
// the program ends; otherwise it runs until the window is closed.
#include "controller/localdescription.h"
#include "model/element.h"
#include "model/nodedesc.h"
#include "model/settingsparser.h"
#include "window/settingsdialog.h"
#include "window/settingsviewitem.h"

#include <QApplication>
#include <QPixmap>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdio>

namespace {
QTreeWidgetItem *rowOf(QTreeWidget *tree, const QString &id)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        SettingsViewItem *row = SettingsViewItem::from(*it);
        if (row &&
            ((row->element() && row->element()->id() == id) || (row->node() && row->node()->id() == id)))
            return row;
    }
    std::fprintf(stderr, "show_description: no row for %s\n", qPrintable(id));
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "usage: show_description <description.xml> [--select <id>] [--set <id>=<value>]... "
                     "[--collapse <id>] [--slide 1] [--screenshot <file.png>]\n");
        return 1;
    }
    LocalDescription description(args.first());
    SettingsDialog dialog;
    dialog.initialize(&description, QStringLiteral("Local description"));
    dialog.show();

    QString screenshot;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString &option = args.at(i);
        const QString &value = args.at(i + 1);
        if (option == QLatin1String("--select")) {
            if (QTreeWidgetItem *row = rowOf(dialog.paramList, value))
                dialog.paramList->setCurrentItem(row);
        } else if (option == QLatin1String("--collapse")) {
            if (QTreeWidgetItem *row = rowOf(dialog.paramList, value))
                row->setExpanded(false);
        } else if (option == QLatin1String("--set")) {
            const QString id = value.section(QLatin1Char('='), 0, 0);
            Element *element = description.parser() ? description.parser()->findElement(id) : nullptr;
            if (!element || !QMetaObject::invokeMethod(element, "valueChange",
                                                       Q_ARG(QString, value.section(QLatin1Char('='), 1))))
                std::fprintf(stderr, "show_description: cannot set %s\n", qPrintable(id));
        } else if (option == QLatin1String("--slide")) {
            dialog.slider->click();
        } else if (option == QLatin1String("--screenshot")) {
            screenshot = value;
        }
    }
    if (screenshot.isEmpty())
        return dialog.exec();
    QApplication::processEvents();
    return dialog.grab().save(screenshot) ? 0 : 1;
}
