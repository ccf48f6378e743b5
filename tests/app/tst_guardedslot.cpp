// Handlers connected through the guard: a failure is shown with its own text
// and the program's title, the signal returns to its sender, and the other
// slots of the signal still run; the handler gets the signal's arguments.
#include "app/AppContext.h"
#include "app/GuardedSlot.h"
#include "support/RecordingMessages.h"

#include <QtTest>

#include <stdexcept>

using zelvora::gui::Guarded;

class Emitter : public QObject {
    Q_OBJECT
signals:
    void fired(int number, const QString& text);
};

class Receiver : public QObject {
public:
    int last = 0;
    bool fail = false;
    void take(int number)
    {
        last = number;
        if (fail)
            throw std::runtime_error("Falha no receptor.");
    }
};

class TestGuardedSlot : public QObject {
    Q_OBJECT
private slots:
    void failures_data();
    void failures();
    void memberHandlerTakesLeadingArguments();
};

void TestGuardedSlot::failures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("nothing thrown") << 0 << QStringList{};
    QTest::newRow("standard exception") << 1 << QStringList{"Falha no teste."};
    QTest::newRow("anything else") << 2 << QStringList{"Erro desconhecido."};
}

void TestGuardedSlot::failures()
{
    QFETCH(int, kind);
    QFETCH(QStringList, shown);
    RecordingMessages messages;
    zelvora::app::AppContext ctx;
    ctx.title = QStringLiteral("Título");
    ctx.messages = &messages;
    Emitter emitter;
    QStringList seen;
    QObject::connect(&emitter, &Emitter::fired, &emitter, Guarded(ctx, [&](int number, const QString& text) {
        seen << QStringLiteral("%1 %2").arg(number).arg(text);
        if (kind == 1)
            throw std::runtime_error("Falha no teste.");
        if (kind == 2)
            throw 42;
    }));
    QObject::connect(&emitter, &Emitter::fired, &emitter, [&] { seen << QStringLiteral("next"); });

    emit emitter.fired(7, QStringLiteral("sete"));
    QCOMPARE(seen, (QStringList{"7 sete", "next"}));
    for (const auto& caption : messages.captions)
        QCOMPARE(caption, QStringLiteral("Título"));
    QCOMPARE(messages.texts, shown);
}

void TestGuardedSlot::memberHandlerTakesLeadingArguments()
{
    RecordingMessages messages;
    zelvora::app::AppContext ctx;
    ctx.messages = &messages;
    Emitter emitter;
    Receiver receiver;
    QObject::connect(&emitter, &Emitter::fired, &receiver, Guarded(ctx, &receiver, &Receiver::take));
    emit emitter.fired(3, QStringLiteral("três"));
    QCOMPARE(receiver.last, 3);
    QVERIFY(messages.texts.isEmpty());
    receiver.fail = true;
    emit emitter.fired(4, QString());
    QCOMPARE(receiver.last, 4);
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(messages.texts[0], QStringLiteral("Falha no receptor."));
}

QTEST_MAIN(TestGuardedSlot)
#include "tst_guardedslot.moc"
