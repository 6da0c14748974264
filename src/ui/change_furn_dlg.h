#pragma once
// TChangeFurnDlg: "Изменить", one hand-made composition item: the article
// (typed, or chosen in the article picker through the edit's button), the
// side number, a comment, the length and the count.

#include <QDialog>

#include <cstdint>
#include <string>

class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace kvf {

class Prompter;
class TDM;

struct TArticleEntry {
    std::string Article;
    std::int32_t SideNo = 0;
    std::string Comment;
    float Length = 0;
    std::int32_t Count = 0;
};

class TChangeFurnDlg : public QDialog {
    Q_OBJECT
public:
    TChangeFurnDlg(TDM& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Presets the controls from `entry`; on OK writes the edited values back and returns true.
    bool Execute(TArticleEntry& entry);

    QLineEdit* ArticleEdit;
    QToolButton* ArticleButton;
    QSpinBox* SideNoEdit;
    QLineEdit* CommentEdit;
    QDoubleSpinBox* LenEdit;
    QSpinBox* NumEdit;

private:
    void pickArticle();

    TDM& dm_;
    Prompter& prompter_;
};

} // namespace kvf
