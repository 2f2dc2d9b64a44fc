#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <map>

namespace
{
struct LISTED_TEST
{
    QStringList command;
    QStringList labels;
    QStringList environment;
};

QStringList Strings(const QJsonValue& value)
{
    QStringList strings;
    for (const QJsonValue& item : value.toArray())
        strings << item.toString();
    return strings;
}

// Every test of this build as ctest lists it, by name.
std::map<QString, LISTED_TEST> ListTests()
{
    QProcess ctest;
    ctest.start(VELTRANO_CTEST, {"-N", "--show-only=json-v1", "--test-dir", VELTRANO_BINARY_DIR});
    std::map<QString, LISTED_TEST> tests;
    if (!ctest.waitForFinished(60000) || ctest.exitCode() != 0)
    {
        ADD_FAILURE() << "ctest listing failed: " << ctest.readAllStandardError().toStdString();
        return tests;
    }
    const QJsonDocument listing = QJsonDocument::fromJson(ctest.readAllStandardOutput());
    for (const QJsonValue& value : listing.object().value("tests").toArray())
    {
        const QJsonObject test = value.toObject();
        LISTED_TEST& listed = tests[test.value("name").toString()];
        listed.command = Strings(test.value("command"));
        for (const QJsonValue& property : test.value("properties").toArray())
        {
            const QString name = property.toObject().value("name").toString();
            if (name == "LABELS")
                listed.labels = Strings(property.toObject().value("value"));
            else if (name == "ENVIRONMENT")
                listed.environment = Strings(property.toObject().value("value"));
        }
    }
    return tests;
}
}  // namespace

TEST(TestLabels, EveryDiscoveredTestCarriesAllItsLabelsAndTheWholeEnvironment)
{
    const std::map<QString, LISTED_TEST> tests = ListTests();
    ASSERT_FALSE(tests.empty());

    int discovered = 0;
    for (const auto& [name, test] : tests)
    {
        if (!test.command.join(' ').contains("--gtest_filter="))
            continue;
        ++discovered;
        for (const char* variable :
             {"KELTHAR_SDR_URI=ip:127.0.0.1:1", "KELTHAR_MESSAGES=stderr", "QT_QPA_PLATFORM=offscreen"})
            EXPECT_TRUE(test.environment.contains(variable)) << name.toStdString() << " lacks " << variable;
        EXPECT_FALSE(test.labels.isEmpty()) << name.toStdString();
    }
    EXPECT_GT(discovered, 0);

    // A GUI test of the device thread and a library test of a device link, each under all its labels.
    const std::map<QString, QStringList> expected = {
        {"SmokeTest.DemoSessionRunsAndClosesCleanly", {"gui", "device", "smoke"}},
        {"SdrLinkTest.EachDirectionWritesItsOwnSettingsInOrder", {"datapath", "device"}},
    };
    for (const auto& [name, labels] : expected)
    {
        const auto found = tests.find(name);
        ASSERT_NE(found, tests.end()) << name.toStdString();
        // ctest keeps labels sorted.
        QStringList sorted = labels;
        sorted.sort();
        EXPECT_EQ(found->second.labels.join(' ').toStdString(), sorted.join(' ').toStdString())
            << name.toStdString();
    }
}
