#pragma once

#include <QString>

#include <memory>

class LocalDescription;
class SettingsParser;

// Where velmoractl gets the description from and where it sends changes.
class CtlSource
{
public:
    virtual ~CtlSource() = default;

    // The parsed description, or null with failure() saying why. The source
    // keeps it; later calls return the same one.
    virtual SettingsParser *load() = 0;
    // Sends the loaded parser's change document for id (as the controller's
    // applySettings does). False with failure() saying why when the device
    // did not take it; false with an empty failure when there was nothing to send.
    virtual bool apply(const QString &id) = 0;
    [[nodiscard]] virtual QString failure() const = 0;
    // The last load or apply failed because another program held the device.
    [[nodiscard]] virtual bool deviceBusy() const { return false; }
};

// A description file on this machine.
class LocalFileSource : public CtlSource
{
public:
    explicit LocalFileSource(const QString &path);
    ~LocalFileSource() override;

    SettingsParser *load() override;
    bool apply(const QString &id) override;
    [[nodiscard]] QString failure() const override { return m_failure; }

private:
    QString m_path;
    std::unique_ptr<LocalDescription> m_pDescription;
    QString m_failure;
};
