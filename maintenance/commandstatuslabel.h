#pragma once

#include <QLabel>

class CommandSender;
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

    // Shows the sender's last failure, or hides the line when sent is true.
    void report(bool sent, const CommandSender &sender);

private:
    explicit CommandStatusLabel(QWidget *parent);
};
