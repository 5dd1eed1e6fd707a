#pragma once

#include <QDialog>

class QLabel;

// A sample picture of handwriting at three times its size, for a closer
// look than the learn panel gives. Esc closes it.
class EnlargedSample final : public QDialog
{
    Q_OBJECT

public:
    explicit EnlargedSample(QWidget *parent = nullptr);

    // Shows `picture` enlarged, with `caption` above it, and brings the
    // window to the front.
    void showSample(const QPixmap &picture, const QString &caption);

    // How many times the scale-1 picture is enlarged.
    static constexpr int Enlargement = 3;

private:
    QLabel *m_picture = nullptr;
    QLabel *m_caption = nullptr;
};
