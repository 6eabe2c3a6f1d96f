#include "app/mainwindow.h"

#include "ui_mainwindow.h"

namespace veltrix {

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
}

MainWindow::~MainWindow()
{
    delete ui;
}

}  // namespace veltrix
