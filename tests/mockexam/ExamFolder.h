#pragma once
// A throw-away data folder for the mock-exam tests: "dados/" with its
// "simu/" sub-folder in a temporary directory, papers written as real PDFs.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>

class ExamFolder {
public:
    ExamFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString dataFolder() const { return m_data; } // ends in "/"
    QString mockExamFolder() const { return m_simu; } // ends in "/"

    // Writes bytes to a path relative to the mock-exam folder, making folders.
    bool write(const QString& relative, const QByteArray& bytes) const;
    // A PDF of the given number of pages, each page naming its paper.
    bool writePdf(const QString& relative, const QString& title, int pages = 2) const;
    // A key of lines joined with CR LF.
    bool writeKey(const QString& relative, const QStringList& lines) const;
    // Skin pair files in the data folder, one plain colour each.
    bool writeSkin(const QString& baseName, const QSize& size, const QColor& normal, const QColor& pressed) const;

    // Every file under the data folder with its size and modification time,
    // to prove the program wrote nothing there.
    std::map<QString, QString> snapshot() const;

    static QByteArray PdfBytes(const QString& title, int pages);

private:
    QTemporaryDir m_dir;
    QString m_data;
    QString m_simu;
};
