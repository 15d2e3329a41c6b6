#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the name of a new own set and its folder's name. A bad field is said
// under it in red and takes the keyboard; OK leaves the dialog open, with
// both fields as typed, until `make` has made the set.
class NewSetDialog : public QDialog
{
    Q_OBJECT
public:
    explicit NewSetDialog(QString setsFolder, QWidget *parent = nullptr);

    QString name() const;
    // As typed; empty asks for one made from the name.
    QString folderName() const;

    // Makes the set: empty on success, else what went wrong (said under the folder name).
    std::function<QString(const QString &name, const QString &folder)> make;

    QLineEdit *nameBox = nullptr;
    QLabel *nameProblem = nullptr;
    QLineEdit *folderBox = nullptr;
    QLabel *folderProblem = nullptr;
    QPushButton *okButton = nullptr;

    void accept() override;

private:
    // What is wrong as typed; an empty name is said only when `insist`.
    bool check(bool insist);
    void fitHeight();

    QString setsFolder;
};
