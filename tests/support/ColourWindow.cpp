// A window of one colour for the desktop tests: ColourWindow APP-ID TITLE
// RRGGBB. On Wayland the app id is the desktop file name Qt announces.

#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

namespace {

class Plain : public QRasterWindow
{
public:
    explicit Plain(QColor colour)
        : m_colour(colour)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), m_colour);
    }

private:
    QColor m_colour;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    QGuiApplication::setDesktopFileName(args.at(1));
    Plain window(QColor(QLatin1Char('#') + args.at(3)));
    window.setTitle(args.at(2));
    window.resize(400, 300);
    window.show();
    return app.exec();
}
