#include "jobs/jobs_skin.h"

#include <QPalette>
#include <QWidget>

#include "controls/palette.h"

namespace corvane {

void applyJobsSkin(QWidget& window) {
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, ColourPanel);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    // Text (200, 200, 200) on black is 12.6:1, black on the accent 7.1:1, the focus colour
    // (255, 255, 128) 17:1 against the panel.
    window.setStyleSheet(QStringLiteral(
        "QLabel, QCheckBox, QRadioButton, QGroupBox { color: rgb(200,200,200); }"
        "QLineEdit, QPlainTextEdit, QListWidget, QTableView, QComboBox {"
        "  background: rgb(0,0,0); color: rgb(200,200,200); border: 1px solid rgb(100,100,100);"
        "  selection-background-color: rgb(255,128,64); selection-color: rgb(0,0,0); gridline-color: rgb(60,60,60); }"
        "QComboBox QAbstractItemView { background: rgb(0,0,0); color: rgb(200,200,200);"
        "  selection-background-color: rgb(255,128,64); selection-color: rgb(0,0,0); }"
        "QHeaderView::section { background: rgb(25,25,25); color: rgb(200,200,200);"
        "  border: 1px solid rgb(60,60,60); padding: 2px; }"
        "QPushButton { background: rgb(60,60,60); color: rgb(255,255,255); border: 1px solid rgb(100,100,100);"
        "  padding: 5px 10px; }"
        "QPushButton:hover { border-color: rgb(255,128,64); }"
        "QPushButton:pressed { background: rgb(255,128,64); color: rgb(25,25,25); }"
        "QPushButton:disabled { color: rgb(120,120,120); }"
        "QPushButton:focus, QLineEdit:focus, QPlainTextEdit:focus, QListWidget:focus, QTableView:focus,"
        "  QComboBox:focus { border: 2px solid rgb(255,255,128); }"));
}

}  // namespace corvane
