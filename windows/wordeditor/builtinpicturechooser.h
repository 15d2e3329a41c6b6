#pragma once

#include <QDialog>
#include <QImage>

class QListWidget;

// A small chooser of every built-in set's word pictures, for a set of one's
// own: a grown-up picks one and may keep its English word too.
class BuiltInPictureChooser : public QDialog
{
    Q_OBJECT
public:
    explicit BuiltInPictureChooser(QWidget *parent = nullptr);

    // The chosen picture at its largest art (up to 270 x 270), and its word.
    QImage chosenPicture() const;
    QString chosenWord() const;

    QListWidget *list = nullptr;
};
