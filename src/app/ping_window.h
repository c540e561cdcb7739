#pragma once

#include <QDialog>

namespace telvanor {

// "Ping!": three pictures at one spot (waiting, reply, no reply), a label and OK. Nothing in
// the program sends a ping or opens it yet; the first picture is the one shown.
class TFPing : public QDialog {
    Q_OBJECT
public:
    explicit TFPing(QWidget* parent = nullptr);
};

}  // namespace telvanor
