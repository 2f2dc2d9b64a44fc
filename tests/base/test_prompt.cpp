#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

#include "prompt.h"
#include "qtprompt.h"
#include "scriptedprompt.h"

namespace
{
// Runs `act` on the modal window that the next prompt opens, from inside its modal loop; a prompt that
// opened no modal window fails the test instead of blocking it.
void OnNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0,
                       [act = std::move(act)]
                       {
                           QWidget* modal = QApplication::activeModalWidget();
                           if (!modal)
                           {
                               ADD_FAILURE() << "no modal window is open";
                               return;
                           }
                           act(modal);
                       });
}

TEST(QtPrompt, MessageBoxesCarryTheirIconTitleTextAndButtonsAndReturnThePressedOne)
{
    const struct
    {
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton press;
    } cases[] = {
        {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
        {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
        {QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok},
        {QMessageBox::Critical, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
        {QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok},
    };
    CQtPrompt prompt;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.icon);
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons shownButtons;
        QString shownTitle, shownText;
        OnNextModal(
            [&](QWidget* modal)
            {
                auto* box = qobject_cast<QMessageBox*>(modal);
                ASSERT_NE(box, nullptr);
                shownIcon = box->icon();
                shownButtons = box->standardButtons();
                shownTitle = box->windowTitle();
                shownText = box->text();
                box->button(c.press)->click();
            });
        EXPECT_EQ(prompt.Message(nullptr, c.icon, "Delvane Veltrano", "Continue?", c.buttons,
                                 QMessageBox::NoButton),
                  c.press);
        EXPECT_EQ(shownIcon, c.icon);
        EXPECT_EQ(shownButtons, c.buttons);
        EXPECT_EQ(shownTitle, "Delvane Veltrano");
        EXPECT_EQ(shownText, "Continue?");
    }
}

TEST(QtPrompt, InputColourAndProgramDialogsReturnWhatTheOperatorEntered)
{
    CQtPrompt prompt;

    OnNextModal(
        [](QWidget* modal)
        {
            auto* input = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->labelText(), "Comment:");
            EXPECT_EQ(input->textValue(), "old");
            input->setTextValue("new");
            input->accept();
        });
    bool ok = false;
    EXPECT_EQ(prompt.GetText(nullptr, "Set Comment", "Comment:", QLineEdit::Normal, "old", &ok), "new");
    EXPECT_TRUE(ok);

    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    prompt.GetText(nullptr, "Set Comment", "Comment:", QLineEdit::Normal, "old", &ok);
    EXPECT_FALSE(ok);

    OnNextModal(
        [](QWidget* modal)
        {
            auto* colours = qobject_cast<QColorDialog*>(modal);
            ASSERT_NE(colours, nullptr);
            EXPECT_EQ(colours->currentColor(), QColor(Qt::red));
            colours->setCurrentColor(Qt::blue);
            colours->accept();
        });
    EXPECT_EQ(prompt.GetColor(Qt::red, nullptr, QString()), QColor(Qt::blue));

    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(prompt.GetColor(Qt::red, nullptr, QString()).isValid());

    QDialog dialog;
    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->done(7); });
    EXPECT_EQ(prompt.Exec(dialog), 7);
}

TEST(Prompt, InstallingReplacesTheAnswererAndRestoresQtDialogs)
{
    IPrompt* qtPrompt = &Prompt();
    EXPECT_NE(dynamic_cast<CQtPrompt*>(qtPrompt), nullptr);
    {
        CScriptedPrompt outer;
        EXPECT_EQ(&Prompt(), &outer);
        {
            CScriptedPrompt inner;
            EXPECT_EQ(&Prompt(), &inner);
        }
        EXPECT_EQ(&Prompt(), &outer);
    }
    EXPECT_EQ(&Prompt(), qtPrompt);
}

TEST(ScriptedPrompt, AnswersInOrderAndRecordsEveryPrompt)
{
    CScriptedPrompt script;
    script.Answer(QMessageBox::Yes, "reset all settings")
        .AnswerSaveFile("/tmp/out.ini")
        .AnswerOpenFile("")
        .AnswerDirectory("/tmp")
        .AnswerText("typed", "Comment:")
        .CancelText()
        .AnswerColor(Qt::green);

    EXPECT_EQ(Prompt().Question(nullptr, "Delvane Veltrano",
                                "Do you want to reset all settings to default values?"),
              QMessageBox::Yes);
    EXPECT_EQ(Prompt().GetSaveFileName(nullptr, "Save Parameters", "/home", "Parameter files (*.ini)"),
              "/tmp/out.ini");
    EXPECT_EQ(Prompt().GetOpenFileName(nullptr, "Load Parameters", "/home", "Parameter files (*.ini)"), "");
    EXPECT_EQ(Prompt().GetExistingDirectory(nullptr, "Archive folder", "/home"), "/tmp");
    bool ok = false;
    EXPECT_EQ(Prompt().GetText(nullptr, "Set Comment", "Comment:", QLineEdit::Normal, "", &ok), "typed");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Prompt().GetText(nullptr, "Set Comment", "Comment:", QLineEdit::Normal, "keep", &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Prompt().GetColor(Qt::black, nullptr, ""), QColor(Qt::green));

    ASSERT_EQ(script.Asked().size(), 7u);
    EXPECT_EQ(script.Asked()[0].kind, CScriptedPrompt::Kind::Message);
    EXPECT_EQ(script.Asked()[0].icon, QMessageBox::Question);
    EXPECT_EQ(script.Asked()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(script.Asked()[1].kind, CScriptedPrompt::Kind::SaveFile);
    EXPECT_EQ(script.Asked()[1].title, "Save Parameters");
    EXPECT_EQ(script.Asked()[1].initial, "/home");
    EXPECT_EQ(script.Asked()[5].initial, "keep");
    EXPECT_EQ(script.Pending(), 0u);
}

TEST(ScriptedPrompt, APromptTheScriptDidNotForeseeFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPrompt script;
            EXPECT_EQ(Prompt().Warning(nullptr, "t", "Unexpected error occurred!"), QMessageBox::NoButton);
        },
        "unscripted message prompt");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPrompt script;
            script.Answer(QMessageBox::Yes);
            EXPECT_EQ(Prompt().GetOpenFileName(nullptr, "Open", "", ""), "");
            EXPECT_EQ(script.Pending(), 1u);
            Prompt().Question(nullptr, "t", "q");
        },
        "expected a message prompt, got the open-file prompt");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPrompt script;
            script.Answer(QMessageBox::Yes, "delete");
            EXPECT_EQ(Prompt().Question(nullptr, "t", "Do you want to continue?"), QMessageBox::NoButton);
            EXPECT_EQ(Prompt().Question(nullptr, "t", "Do you really want to delete selected items?"),
                      QMessageBox::Yes);
        },
        "with \"delete\"");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPrompt script;
            script.Answer(QMessageBox::Yes);
            Prompt().Warning(nullptr, "t", "Only Ok here");
        },
        "not one of the buttons");
    EXPECT_NONFATAL_FAILURE(
        {
            CScriptedPrompt script;
            script.AnswerColor(Qt::red, "Colour");
        },
        "colour prompt \"Colour\" was never asked");
}

// A dialog of the kind the program builds: its exec() copies the value fields into the inputs first,
// and OK checks the input, warns through the prompt and stays open when it is not acceptable.
class CNameDialog : public QDialog
{
public:
    CNameDialog()
    {
        setObjectName("NameDialog");
        auto* layout = new QVBoxLayout(this);
        m_edit = new QLineEdit(this);
        m_ok = new QPushButton("OK", this);
        layout->addWidget(m_edit);
        layout->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this,
                [this]
                {
                    if (m_edit->text().isEmpty())
                    {
                        Prompt().Warning(this, "Delvane Veltrano", "Name is empty!");
                        return;
                    }
                    m_name = m_edit->text();
                    accept();
                });
    }
    int exec() override
    {
        m_edit->setText(m_name);
        return QDialog::exec();
    }

    QString m_name;
    QLineEdit* m_edit;
    QPushButton* m_ok;
};

TEST(ScriptedPrompt, ProgramDialogsRunTheirOwnModalLoop)
{
    CNameDialog dialog;
    dialog.m_name = "first";
    CScriptedPrompt script;
    script
        .RunDialog(
            [](QDialog& d)
            {
                auto& named = static_cast<CNameDialog&>(d);
                EXPECT_TRUE(named.isVisible());
                EXPECT_EQ(named.m_edit->text(), "first") << "the dialog's own exec ran";
                named.m_edit->setText("");
                named.m_ok->click();
                EXPECT_TRUE(named.isVisible()) << "a refused input keeps the dialog open";
                named.m_edit->setText("second");
                named.m_ok->click();
                return int(QDialog::Rejected);
            },
            "NameDialog")
        .Answer(QMessageBox::Ok, "Name is empty!")
        .RunDialog([](QDialog&) { return int(QDialog::Rejected); });

    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.m_name, "second");
    EXPECT_FALSE(dialog.isVisible());

    EXPECT_EQ(Prompt().Exec(dialog), QDialog::Rejected) << "an action that leaves it open closes it";
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(script.Asked().size(), 3u);
}
}  // namespace
