#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("korva-marks");
  QMainWindow window;
  window.setWindowTitle("KORVA-MARKS");
  window.resize(1024, 700);
  window.show();
  return QApplication::exec();
}
