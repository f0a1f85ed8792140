// Turns a manual's text source (Markdown) into the PDF the program opens.
//   makemanual <source.md> <output.pdf>

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 3)
        return 2;
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    QFont font = document.defaultFont();
    font.setPointSize(10);
    document.setDefaultFont(font);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("Quelmo and Temperature Monitor"));
    pdf.setCreator(QStringLiteral("Quelmo"));
    document.print(&pdf);
    return 0;
}
