#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// A small chooser of every built-in set's word pictures, for a set of one's
// own: a grown-up picks one and may keep its English word too. Each picture
// shows its word and its Chinese meaning, and either finds it in the search.
class BuiltInPictureChooser : public QDialog
{
    Q_OBJECT
public:
    explicit BuiltInPictureChooser(QWidget *parent = nullptr);

    // The chosen picture at its largest art (up to 270 x 270), and its word.
    QImage chosenPicture() const;
    QString chosenWord() const;

    // Shows only the pictures whose English word holds `text` (any case) or
    // whose meaning holds it; all of them for an empty text.
    void filter(const QString &text);

    QLineEdit *search = nullptr;
    QListWidget *list = nullptr;
    QLabel *noMatch = nullptr;

private:
    void currentChanged();

    QPushButton *useButton = nullptr;
};
