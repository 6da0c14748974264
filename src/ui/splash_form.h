#pragma once
// TSplashForm: the borderless window shown while the program starts: logo,
// "ФУРНИТУРА ", the version, the status label LoadLab and a progress bar 0..100.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kvf {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    TSplashForm();

    // Shows the window centred on the screen and paints it at once.
    void ShowNow();
    // The status text, repainted at once.
    void SetStatus(const QString& text);
    // Progress 0..100, repainted at once.
    void SetProgress(int value);

    QLabel* LoadLab() const { return loadLab_; }
    QProgressBar* ProgressBar() const { return progressBar_; }

private:
    QLabel* loadLab_;
    QProgressBar* progressBar_;
};

} // namespace kvf
