#pragma once

#include "maintenance/commandsender.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QWizard>

#include <functional>

class CommandStatusLabel;
class QFrame;
class QLabel;

// What the ink-cartridge maintenance wizards have in common: the device they
// write to, the maintenance setting they ask to have applied instead (direct
// mode when there is none), pages of one frame with texts and mostly a
// picture, the row of buttons each page shows, and the line on a page that
// says when the device did not take the page's commands. Each wizard adds
// its pages and what its buttons do.
class MaintenanceWizard : public QWizard
{
    Q_OBJECT
public:
    // Applies the maintenance setting of the id through the program's own
    // apply path: true when the device took it, otherwise false with the
    // reason (one sentence for the user) in *reason.
    using SettingApplier = std::function<bool(const QString &id, QString *reason)>;

    // Where the setting's presses go; without one they go nowhere.
    void setSettingApplier(SettingApplier applier) { m_applier = std::move(applier); }

protected:
    // What sets a wizard's form apart. Its name is the object name when the
    // caller gives none, and the context the catalogue files the form's texts
    // under: every text given to this class comes untranslated
    // (QT_TRANSLATE_NOOP with that context) and is translated here.
    struct Form
    {
        const char *name;
        const char *title;
        const char *pageTitle;
        QSize size;
    };
    // A label of a page: its object name and text.
    struct Text
    {
        const char *name;
        const char *source;
    };
    // A label showing a picture of the maintenance collection (none when the
    // collection does not have it).
    struct Picture
    {
        const char *name;
        const char *image;
    };

    // The device path is in the file system's encoding (QFile::encodeName).
    MaintenanceWizard(const Form &form, const char *devPath, const QString &id, QWidget *parent,
                      const char *name);

    [[nodiscard]] bool isDirect() const { return m_id.isEmpty(); }
    // How the trace names the mode: "direct" or the setting's id.
    [[nodiscard]] QString modeName() const;

    // A new page, named, holding a frame (also named) that fills it. The page
    // shows the buttons of the row, in order and centred, and no others.
    QFrame *addFramedPage(const char *pageName, const char *frameName, const QList<WizardButton> &row);
    // A page with the picture in a column of its own beside the texts.
    void addPicturePage(const char *pageName, const char *frameName, const Picture &picture,
                        const QList<Text> &texts, const QList<WizardButton> &row);
    // A page of texts one below the other.
    void addTextPage(const char *pageName, const char *frameName, const QList<Text> &texts,
                     const QList<WizardButton> &row);
    [[nodiscard]] QLabel *makeText(QFrame *frame, const Text &text) const;
    [[nodiscard]] static QLabel *makePicture(QFrame *frame, const Picture &picture);

    // Writes the commands in order, stopping at the first the device does not
    // take, and says on the page why; a later success there hides the line.
    bool sendFromPage(int pageId, const QList<QByteArray> &commands);
    // Has the wizard's setting applied, and says on the page, as for a
    // command, when the device did not take it.
    bool applyFromPage(int pageId);

private:
    void showButtonRow(int pageId);
    void report(int pageId, bool taken, const QString &reason);

    const char *m_formName;
    const char *m_pageTitle;
    QString m_id;
    CommandSender m_sender;
    SettingApplier m_applier;
    QHash<int, QList<WizardButton>> m_buttonRows;
    // Made on a page's first send; owned by their pages.
    QHash<int, CommandStatusLabel *> m_statusLines;
};
