#include "qt/qt_prompter.h"

#include "modal_helper.h"
#include "qt/db_lookup2_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace kvf {
namespace {

using test::WhenModalShown;

// Clicks the button of a message box that has the given standard role.
void clickStandard(QWidget* modal, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(nullptr, box);
    ASSERT_NE(nullptr, box->button(which));
    box->button(which)->click();
}

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::CursorShape cursor = Qt::BitmapCursor;
};

// Records what the box showed, then presses `press`.
void seeAndPress(BoxSeen& seen, QMessageBox::StandardButton press) {
    WhenModalShown([&seen, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(nullptr, box);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.cursor =
            QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BitmapCursor;
        clickStandard(modal, press);
    });
}

TEST(QtPrompterTest, MessageBoxesShowTheirKindButtonsAndAnswer) {
    struct Case {
        const char* name;
        std::function<int(QtPrompter&)> call;
        QMessageBox::StandardButton press;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        int expected;
    };
    const Case cases[] = {
        {"warning",
         [](QtPrompter& p) {
             p.Warning("Текст");
             return 0;
         },
         QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, 0},
        {"error",
         [](QtPrompter& p) {
             p.Error("Текст");
             return 0;
         },
         QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, 0},
        {"information",
         [](QtPrompter& p) {
             p.Information("Текст");
             return 0;
         },
         QMessageBox::Ok, QMessageBox::Information, QMessageBox::Ok, 0},
        {"confirm ok", [](QtPrompter& p) { return int(p.Confirm("Текст")); }, QMessageBox::Ok,
         QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, 1},
        {"confirm cancel", [](QtPrompter& p) { return int(p.Confirm("Текст")); }, QMessageBox::Cancel,
         QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel, 0},
        {"continue", [](QtPrompter& p) { return int(p.ContinueOrAbort("Текст")); }, QMessageBox::Ok,
         QMessageBox::Question, QMessageBox::Ok | QMessageBox::Abort, 1},
        {"abort", [](QtPrompter& p) { return int(p.ContinueOrAbort("Текст")); }, QMessageBox::Abort,
         QMessageBox::Question, QMessageBox::Ok | QMessageBox::Abort, 0},
        {"yes", [](QtPrompter& p) { return int(p.YesNoCancel("Текст")); }, QMessageBox::Yes,
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         int(YesNoCancelAnswer::Yes)},
        {"no", [](QtPrompter& p) { return int(p.YesNoCancel("Текст")); }, QMessageBox::No,
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         int(YesNoCancelAnswer::No)},
        {"cancel", [](QtPrompter& p) { return int(p.YesNoCancel("Текст")); }, QMessageBox::Cancel,
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         int(YesNoCancelAnswer::Cancel)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrompter prompter;
        BoxSeen seen;
        seeAndPress(seen, c.press);
        EXPECT_EQ(c.expected, c.call(prompter));
        EXPECT_EQ(QString::fromUtf8("Текст"), seen.text);
        EXPECT_EQ(c.icon, seen.icon);
        EXPECT_EQ(c.buttons, seen.buttons);
    }
}

TEST(QtPrompterTest, ErrorDetailAddsTheBracketedLine) {
    QtPrompter prompter;
    BoxSeen seen;
    seeAndPress(seen, QMessageBox::Ok);
    prompter.ErrorDetail("Ошибка записи", "диск полон");
    EXPECT_EQ(QString::fromUtf8("Ошибка записи\r\n[диск полон]"), seen.text);
    EXPECT_EQ(QMessageBox::Critical, seen.icon);
}

TEST(QtPrompterTest, BoxShowsTheArrowOverTheBusyCursorAndPutsItBack) {
    QtPrompter prompter;
    {
        BusyCursor busy(prompter);
        BoxSeen seen;
        seeAndPress(seen, QMessageBox::Ok);
        prompter.Information("Готово");
        EXPECT_EQ(Qt::ArrowCursor, seen.cursor);
        ASSERT_NE(nullptr, QApplication::overrideCursor());
        EXPECT_EQ(Qt::WaitCursor, QApplication::overrideCursor()->shape());
    }
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

TEST(QtPrompterTest, BusyCursorHasOneSlot) {
    QtPrompter prompter;
    prompter.SetBusy(BusyKind::Hourglass);
    prompter.SetBusy(BusyKind::DatabaseWait);
    ASSERT_NE(nullptr, QApplication::overrideCursor());
    EXPECT_EQ(Qt::BusyCursor, QApplication::overrideCursor()->shape());
    prompter.RestoreCursor();
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    prompter.RestoreCursor(); // an unmatched restore leaves other cursors alone
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    EXPECT_FALSE(prompter.IsBusy());
}

TEST(QtPrompterTest, TwoButtonAnswersOneTwoOrZero) {
    struct Case {
        const char* name;
        int press; // 1, 2, or 0 for Escape
        int expected;
    };
    const Case cases[] = {{"first", 1, 1}, {"second", 2, 2}, {"closed", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrompter prompter;
        QString title;
        QStringList buttons;
        bool centred = false;
        WhenModalShown([&, press = c.press](QWidget* modal) {
            title = modal->windowTitle();
            auto pushes = modal->findChildren<QPushButton*>();
            for (auto* b : pushes) {
                buttons << b->text();
            }
            for (auto* label : modal->findChildren<QLabel*>()) {
                centred = centred || (label->text() == QString::fromUtf8("Что делать?") &&
                                      (label->alignment() & Qt::AlignHCenter));
            }
            if (press == 0) {
                qobject_cast<QDialog*>(modal)->reject();
            } else {
                pushes[press - 1]->click();
            }
        });
        EXPECT_EQ(c.expected, prompter.TwoButton("Выбор", "Что делать?", "Заменить", "Добавить"));
        EXPECT_EQ(QString::fromUtf8("Выбор"), title);
        EXPECT_EQ(QStringList({QString::fromUtf8("Заменить"), QString::fromUtf8("Добавить")}), buttons);
        EXPECT_TRUE(centred);
    }
}

TEST(QtPrompterTest, InputTextGivesTheTextOrNothing) {
    QtPrompter prompter;
    WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QString::fromUtf8("Номер"), dialog->labelText());
        EXPECT_EQ(QString::fromUtf8("12"), dialog->textValue());
        dialog->setTextValue(QString::fromUtf8("Заказ 7"));
        dialog->accept();
    });
    EXPECT_EQ(std::optional<std::string>("Заказ 7"), prompter.InputText("", "Номер", "12"));
    WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(std::nullopt, prompter.InputText("", "Номер", "12"));
}

TEST(QtPrompterTest, ChooseRowTakesTheRowHighlightedAtClose) {
    ChoiceList list;
    list.Caption = "Выбор артикула";
    list.Columns = {"Артикул", "Наименование"};
    list.Rows = {{"A1", "Петля"}, {"A2", "Ручка"}, {"A3", "Замок"}};
    struct Case {
        const char* name;
        int moveTo; // -1 keeps the initial row
        bool accept;
        int expected;
    };
    const Case cases[] = {
        {"first row is highlighted", -1, true, 0},
        {"moved to the third, OK", 2, true, 2},
        {"moved to the second, Cancel", 1, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrompter prompter;
        WhenModalShown([&c](QWidget* modal) {
            auto* dialog = qobject_cast<TDBLookup2Dlg*>(modal);
            ASSERT_NE(nullptr, dialog);
            EXPECT_EQ(3, dialog->Table()->rowCount());
            EXPECT_EQ(QString::fromUtf8("Ручка"), dialog->Table()->item(1, 1)->text());
            if (c.moveTo >= 0) {
                dialog->Table()->setCurrentCell(c.moveTo, 0);
            }
            c.accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(c.expected, prompter.ChooseRow(list));
    }
    QtPrompter prompter;
    WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
    EXPECT_EQ(-1, prompter.ChooseRow(ChoiceList{}));
}

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// The alternatives list as the engine offers it: caption, message, two columns.
ChoiceList Alternatives() {
    ChoiceList list;
    list.Caption = "Список артикулов";
    list.Message = "В документации присутствует несколько альтернативных вариантов. Выберите нужный элемент.";
    list.Columns = {"Артикул по каталогу", "Наименование"};
    list.Rows = {{"A1", "Петля"}, {"A2", "Ручка"}, {"A3", "Замок"}};
    return list;
}

TEST(DBLookup2DlgTest, OpensOnTheFirstRowWithTheGridFocusedAndEnterTakesTheRow) {
    QtPrompter prompter;
    WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<TDBLookup2Dlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QString::fromUtf8("Список артикулов"), dialog->windowTitle());
        EXPECT_EQ(QString::fromUtf8("&OK"), dialog->OkBut->text());
        EXPECT_EQ(QString::fromUtf8("&Cancel"), dialog->CancelBut->text());
        EXPECT_EQ(0, dialog->Table()->currentRow());
        EXPECT_TRUE(dialog->Table()->selectionModel()->isRowSelected(0, {}));
        EXPECT_EQ(dialog->Table(), dialog->focusWidget());
        QTest::keyClick(dialog->Table(), Qt::Key_Down);
        QTest::keyClick(dialog->Table(), Qt::Key_Return);
    });
    EXPECT_EQ(1, prompter.ChooseRow(Alternatives()));
}

TEST(DBLookup2DlgTest, F3SwitchesTheRowHighlight) {
    TDBLookup2Dlg dialog(Alternatives());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(QAbstractItemView::SelectRows, dialog.Table()->selectionBehavior());
    QTest::keyClick(dialog.Table(), Qt::Key_F3);
    EXPECT_EQ(QAbstractItemView::SelectItems, dialog.Table()->selectionBehavior());
    QTest::keyClick(dialog.Table(), Qt::Key_F3);
    EXPECT_EQ(QAbstractItemView::SelectRows, dialog.Table()->selectionBehavior());
    EXPECT_EQ(0, dialog.CurrentRow());
}

} // namespace
} // namespace kvf
