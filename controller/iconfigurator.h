#pragma once

#include <QString>

#include <functional>

class NodeDesc;
class QWidget;

// What the settings window asks of the application controller. The window
// never reads or writes the device itself: it gets the settings tree from
// here and hands every write back through the same object. A view of a
// description without a device (a file shown for a look, a benchmark) only
// needs loadSettings; the rest then does nothing and says so.
class IConfigurator
{
public:
    virtual ~IConfigurator() = default;

    // Reads the description (again) and returns the root of the settings
    // tree, or null when there is none. The controller keeps it; the window
    // only points into it.
    virtual NodeDesc *loadSettings() = 0;

    // Sends the changed settings (an empty id), one pop-up form's changes
    // (the form's id) or one button's press (the button's id). True when
    // the device took them. False with an empty lastFailure means there was
    // nothing to send.
    virtual bool applySettings(const QString &id)
    {
        Q_UNUSED(id)
        return false;
    }

    // Why the last loadSettings or applySettings failed, as one sentence for
    // the user; empty after a success or when there was nothing to send.
    virtual QString lastFailure() const { return {}; }

    // The sibling address-book tools; true when the tool was started.
    virtual bool phoneBookStart() { return false; }
    virtual bool emailBookStart() { return false; }
    virtual bool addressBookStart() { return false; }

    // Hands a setting's press on to the window's own Apply path (a
    // maintenance setting applied as that setting's change document). True
    // when the device took it. With a null reason the window tells the user
    // itself when the device did not; otherwise the reason (one sentence for
    // the user, as lastFailure) comes back in *reason for the caller to show,
    // as a wizard does on its page: a box of the window's would stand behind
    // the modal wizard.
    using ApplyCallback = std::function<bool(const QString &id, QString *reason)>;

    // The ink-jet maintenance functions, with parent as the wizards' parent.
    // A null or empty id writes the commands to the device directly; the id
    // of a maintenance setting goes to apply instead.
    virtual void ijTestPagePrint(QWidget *parent, const ApplyCallback &apply, const QString &id = QString())
    {
        Q_UNUSED(parent)
        Q_UNUSED(apply)
        Q_UNUSED(id)
    }
    virtual void ijCartridgeClean(QWidget *parent, const ApplyCallback &apply, const QString &id = QString())
    {
        Q_UNUSED(parent)
        Q_UNUSED(apply)
        Q_UNUSED(id)
    }
    virtual void ijCartridgeAlignSFP(bool photoInk, QWidget *parent, const ApplyCallback &apply,
                                     const QString &id = QString())
    {
        Q_UNUSED(photoInk)
        Q_UNUSED(parent)
        Q_UNUSED(apply)
        Q_UNUSED(id)
    }
    // The wizard's result; 0 when none was shown.
    virtual int ijCartridgeAlignMFP(QWidget *parent, const ApplyCallback &apply,
                                    const QString &id = QString())
    {
        Q_UNUSED(parent)
        Q_UNUSED(apply)
        Q_UNUSED(id)
        return 0;
    }
};
