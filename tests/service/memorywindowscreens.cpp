// Takes the pictures of the device-memory window for the documentation: the main window in demo mode,
// the memory window shown over it with the test fixture image loaded, one picture per tab. Not a test;
// run it under an X server with a window manager:
//   DISPLAY=:83 memorywindow_screens <folder>
// It writes memory-analysis.png, memory-spectrograms.png and memory-pattern.png into the folder, each
// the memory window's frame cut from a grab of the screen.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

#include "devicethread.h"
#include "globals.h"
#include "memoryfixture.h"
#include "memorywindow.h"
#include "prompt.h"
#include "screengrab.h"
#include "veltrano.h"

namespace
{
// Answers the Load dialog with the fixture file and nothing else.
class CFixturePrompt : public IPrompt
{
public:
    explicit CFixturePrompt(QString path) : m_path(std::move(path)) {}
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return QMessageBox::No;
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return m_path;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetText(QWidget*, const QString&, const QString&, QLineEdit::EchoMode, const QString&,
                    bool* ok) override
    {
        if (ok)
            *ok = false;
        return {};
    }
    QColor GetColor(const QColor&, QWidget*, const QString&) override { return {}; }
    int Exec(QDialog&) override { return 0; }

private:
    QString m_path;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    PrepareScreens(app);

    QTemporaryDir scratch;
    const QString image = scratch.filePath(QStringLiteral("survey.mem"));
    {
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(memoryfixture::Image());
    }
    CFixturePrompt prompt(image);
    InstallPrompt(&prompt);

    bool ok = true;
    {
        Veltrano window(0, QString());
        g_DeviceThread.SetDemoMode(true);
        window.showMaximized();
        QTest::qWait(1500);
        auto* memory = window.findChild<CMemoryWindow*>(QStringLiteral("CMemoryWindow"));
        memory->show();
        memory->setGeometry(420, 240, 750, 500);
        memory->raise();
        memory->OnLoadButton();
        memory->ui.m_pGroupsTree->setCurrentItem(memory->ui.m_pGroupsTree->topLevelItem(1));
        memory->ui.m_pContentTree->topLevelItem(0)->setSelected(true);

        memory->ui.m_pTabWidget->setCurrentIndex(0);
        ok = GrabFrame(*memory, folder.filePath(QStringLiteral("memory-analysis.png")), 700) && ok;
        memory->ui.m_pTabWidget->setCurrentIndex(1);
        ok = GrabFrame(*memory, folder.filePath(QStringLiteral("memory-spectrograms.png")), 700) && ok;
        memory->ui.m_pTabWidget->setCurrentIndex(2);
        ok = GrabFrame(*memory, folder.filePath(QStringLiteral("memory-pattern.png")), 700) && ok;
        memory->hide();
        g_DeviceThread.SetDemoMode(false);
        window.close();
    }
    InstallPrompt(nullptr);
    return ok ? 0 : 1;
}
