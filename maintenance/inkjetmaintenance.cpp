#include "maintenance/inkjetmaintenance.h"

#include "maintenance/cartridgealignmfp.h"
#include "maintenance/cartridgealignsfp.h"
#include "maintenance/cartridgeclean.h"
#include "maintenance/commandsender.h"
#include "maintenance/inkcommands.h"

#include <QFile>

#include <memory>

int PrintTestPage(const char *devPath)
{
    CommandSender sender(QFile::decodeName(devPath));
    (void)sender.send(InkCommands::printTestPage());
    return 0;
}

int RunCartridgeClean(const char *devPath, QWidget *parent)
{
    return std::make_unique<CartridgeClean>(devPath, QString(), parent, "CartridgeClean_wizard")->exec();
}

int RunCartridgeAlignSFP(bool photoInk, const char *devPath, QWidget *parent)
{
    return std::make_unique<CartridgeAlignSFP>(photoInk, devPath, QString(), parent,
                                               "CartridgeAlignSFP_wizard")
        ->exec();
}

int RunCartridgeAlignMFP(const char *devPath, QWidget *parent)
{
    return std::make_unique<CartridgeAlignMFP>(devPath, parent, "CartridgeAlignMFP_wizard")->exec();
}
