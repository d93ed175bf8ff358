#pragma once
// frmContUs: how to reach the service team. The web and mail lines open in
// the desktop's browser and mail program when clicked.

#include <QDialog>

class ContactDialog : public QDialog
{
    Q_OBJECT
public:
    ContactDialog(int languageCode, QWidget *parent = nullptr);
};

inline constexpr const char *kContactWeb = "https://kestrane.example/service";
inline constexpr const char *kContactMail = "service@kestrane.example";
