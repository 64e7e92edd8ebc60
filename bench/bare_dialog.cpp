// The bare Qt program bench_startup compares with: an empty dialog that
// writes one line when it is shown.
#include <QApplication>
#include <QDialog>

#include <cstdio>

namespace {
class Dialog : public QDialog
{
protected:
    void showEvent(QShowEvent *event) override
    {
        QDialog::showEvent(event);
        std::fprintf(stderr, "shown\n");
        std::fflush(stderr);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Dialog dialog;
    return dialog.exec();
}
