#pragma once
// The exam window as a person meets it: one paper "P" in the selector, and
// the steps a person takes (choose the paper, start, answer, finish, wait)
// done through the real controls, so a test reads as those steps.
#include "ExamHarness.h"

#include "app/TFocusImage.h"

#include <QLabel>
#include <QTest>

struct ExamPage : ExamHarness {
    // The exam window over a paper "P" (p.pdf) with key and, unless empty,
    // the info file, shown and active; at size when one is given.
    static std::unique_ptr<ExamPage> Open(const QStringList& key, const QByteArray& info, QSize size = {})
    {
        auto page = std::make_unique<ExamPage>();
        page->folder.write(QStringLiteral("lista.txt"), "P#p.pdf\r\n");
        page->folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("P"));
        page->folder.writeKey(QStringLiteral("p.txt"), key);
        if (!info.isEmpty())
            page->folder.write(QStringLiteral("p.ini"), info);
        page->create();
        page->simul->show();
        // The answer keys are the window's shortcuts: it must be the active one.
        if (!QTest::qWaitForWindowActive(page->simul.get()))
            qWarning("exam window not active");
        if (size.isValid()) {
            // The screen the test stands for, larger than the offscreen one.
            page->simul->setWindowState(Qt::WindowNoState);
            page->simul->resize(size);
            QCoreApplication::processEvents();
        }
        return page;
    }

    // A key of n questions, options A to E in turn.
    static QStringList Keys(int n)
    {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << QString::number(i % 5 + 1);
        return out;
    }

    void choosePaper() { pick(Control<QComboBox>(simul.get(), "comboProva"), 0); }
    void start() { click("btInicio"); }
    void finish() { click("btFim"); }
    void click(const char* imageButton)
    {
        QTest::mouseClick(Control<zelvora::gui::TFocusImage>(simul.get(), imageButton), Qt::LeftButton);
    }
    // Seconds going by on the exam's clock.
    void wait(int seconds)
    {
        for (int i = 0; i < seconds; ++i)
            clock->tick();
    }

    // The lines of the results window's footer.
    QStringList footerLines() const
    {
        QStringList out;
        for (const QLabel* l : Control<QWidget>(resultado.get(), "pRodape")->findChildren<QLabel*>())
            out << l->text();
        return out;
    }
    // The answer options the window shows.
    QList<QRadioButton*> shownOptions() const
    {
        QList<QRadioButton*> out;
        for (int i = 0; i < 5; ++i)
            if (!AnswerOption(simul.get(), i)->isHidden())
                out << AnswerOption(simul.get(), i);
        return out;
    }
    // The controls a person sees in the top strip, the logo aside.
    QList<QWidget*> stripWidgets() const
    {
        QList<QWidget*> out;
        auto* strip = Control<QWidget>(simul.get(), "pTop");
        for (QWidget* w : strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->objectName() != QLatin1String("imLogo"))
                out << w;
        return out;
    }
};
