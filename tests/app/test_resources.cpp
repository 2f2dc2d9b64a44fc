#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBox>
#include <QTranslator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "fftoptions.h"

namespace
{
QString ReadStyleSheet()
{
    QFile file(":/veltrano.qss");
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList g_warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

// A window with one widget of each kind the style sheet dresses, so that every rule is parsed and used.
QWidget* BuildSampleWindow()
{
    auto* window = new QWidget;
    auto* layout = new QVBoxLayout(window);
    layout->setMenuBar(new QMenuBar);
    auto* plain = new QWidget;
    plain->setObjectName("plain");
    plain->setFixedSize(40, 20);
    layout->addWidget(plain);
    auto* checkable = new QPushButton("Checked");
    checkable->setCheckable(true);
    checkable->setChecked(true);
    layout->addWidget(checkable);
    auto* disabled = new QPushButton("Disabled");
    disabled->setEnabled(false);
    layout->addWidget(disabled);
    layout->addWidget(new QComboBox);
    layout->addWidget(new QSpinBox);
    auto* check = new QCheckBox("Check");
    check->setChecked(true);
    layout->addWidget(check);
    layout->addWidget(new QRadioButton("Radio"));
    auto* group = new QGroupBox("Group");
    group->setMinimumHeight(30);
    layout->addWidget(group);
    layout->addWidget(new QScrollBar(Qt::Horizontal));
    layout->addWidget(new QScrollBar(Qt::Vertical));
    layout->addWidget(new QSlider(Qt::Horizontal));
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({"Frequency", "Level"});
    layout->addWidget(tree);
    auto* toolBox = new QToolBox;
    toolBox->addItem(new QWidget, "First");
    toolBox->addItem(new QWidget, "Second");
    layout->addWidget(toolBox);
    auto* progress = new QProgressBar;
    progress->setValue(40);
    layout->addWidget(progress);
    layout->addWidget(new QDockWidget("Dock"));
    layout->addWidget(new QStatusBar);
    return window;
}
}  // namespace

TEST(Resources, QtsRussianTextsAreEmbeddedAsOneLoadableCatalogue)
{
    QTranslator translator;
    ASSERT_TRUE(translator.load(":/qt_ru.qm"));
    EXPECT_EQ(translator.translate("QPlatformTheme", "&Yes"), QString::fromUtf8("&Да"));
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Отмена"));
}

TEST(Resources, EveryFftOptionNameHasARussianTranslation)
{
    QTranslator translator;
    ASSERT_TRUE(translator.load(":/veltrano_ru.qm"));
    CFftOptions options;
    options.Init();
    for (const QString& name : options.GetAveragingNames() + options.GetWindowNames())
        EXPECT_FALSE(translator.translate("CFftOptions", name.toUtf8().constData()).isEmpty())
            << name.toStdString();
}

TEST(Resources, EveryImageOfTheStyleSheetResolves)
{
    const QString sheet = ReadStyleSheet();
    ASSERT_FALSE(sheet.isEmpty());

    QSet<QString> urls;
    QRegularExpressionMatchIterator it = QRegularExpression(R"(url\(\s*([^)\s]+)\s*\))").globalMatch(sheet);
    while (it.hasNext())
        urls.insert(it.next().captured(1));

    const QStringList named = {"combo-down-arrow",
                               "spin-up-arrow",
                               "spin-down-arrow",
                               "check-off",
                               "check-on",
                               "radio-off",
                               "radio-on",
                               "scroll-right-arrow",
                               "scroll-left-arrow",
                               "scroll-down-arrow",
                               "scroll-up-arrow",
                               "close",
                               "undock"};
    for (const QString& name : named)
        EXPECT_TRUE(urls.contains(":/images/" + name + ".png")) << name.toStdString();

    for (const QString& url : urls)
    {
        const QImage image(url);
        EXPECT_FALSE(image.isNull()) << url.toStdString();
        EXPECT_TRUE(image.hasAlphaChannel()) << url.toStdString();
    }
}

TEST(Resources, StyleSheetParsesAndGivesTheDarkTheme)
{
    const QString sheet = ReadStyleSheet();
    ASSERT_FALSE(sheet.isEmpty());

    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    qApp->setStyleSheet(sheet);
    QWidget* window = BuildSampleWindow();
    window->resize(400, 900);
    window->show();
    const QImage shot = window->grab().toImage();
    const QWidget* plain = window->findChild<QWidget*>("plain");
    const QColor background = shot.pixelColor(plain->geometry().center());
    delete window;
    qApp->setStyleSheet(QString());
    qInstallMessageHandler(previous);

    for (const QString& warning : g_warnings)
        EXPECT_FALSE(warning.contains("style", Qt::CaseInsensitive)) << warning.toStdString();
    EXPECT_EQ(background, QColor(76, 76, 88));
}

TEST(Resources, ProgramIconCarriesSeveralSizes)
{
    QImageReader reader(VELTRANO_RESOURCES_DIR "/Veltrano.ico");
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    EXPECT_EQ(reader.format(), "ico");

    QSet<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i)
    {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), image.height());
        sizes.insert(image.width());
    }
    for (int size : {16, 32, 48})
        EXPECT_TRUE(sizes.contains(size)) << size;
}
