#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QLineEdit;

// The login window "进入考场" of the mock exam: the candidate enters a seat
// number and an identity-card number on a picture of the examination's
// login screen and clicks its drawn log-in button. The values are checked
// only for their form and not stored; the transfer screen shows them.
class Tmnks1 : public QDialog
{
    Q_OBJECT

public:
    explicit Tmnks1(QWidget *parent = nullptr);

    QWidget *Panel1;
    PictureBox *Image1;
    QLineEdit *Edit1;
    QLineEdit *Edit2;
    QLabel *Label1;
    QLabel *Label2;

    static const QString SampleIdentity;

    void Label1Click();
    void Label2Click();

    // The warning of the last failed log-in check (for tests and the screen reader).
    QString lastWarning() const { return m_lastWarning; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void warn(const QString &text);

    QString m_lastWarning;
};
