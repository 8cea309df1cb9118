#pragma once
#include <QWidget>

// Shown for the start-up pause; no input.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
};
