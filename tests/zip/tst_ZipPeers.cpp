#include <QtTest>
class tst_ZipPeers : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(tst_ZipPeers)
#include "tst_ZipPeers.moc"
