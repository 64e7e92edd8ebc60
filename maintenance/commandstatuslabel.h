#pragma once

#include <QLabel>

class QWizardPage;

// One line at the foot of a wizard page that says when the device did not
// take a maintenance command, and why. Hidden while the commands go through:
// a user waiting for a page that never prints should not have to guess.
class CommandStatusLabel : public QLabel
{
    Q_OBJECT
public:
    // A hidden line added below the page's content.
    static CommandStatusLabel *addTo(QWizardPage *page);

    // Shows why the device did not take the page's commands or setting, or
    // hides the line when it did (taken is true).
    void report(bool taken, const QString &reason);

private:
    explicit CommandStatusLabel(QWidget *parent);
};
