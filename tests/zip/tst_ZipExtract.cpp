#include <QtTest>
class tst_ZipExtract : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(tst_ZipExtract)
#include "tst_ZipExtract.moc"
