#pragma once
// The shared test data: real archives kept beside the repository
// (ZELVORA_SHARED_TESTDATA). On a machine without them the tests that need
// them are skipped with a message; a build configured with
// ZELVORA_REQUIRE_TESTDATA=ON (CI) fails those tests instead, so that they
// can never pass unseen.
#include <QFile>
#include <QtTest>

// Leaves the calling test function (skipped or failed) when `path` is not
// there; `what` says what is left untested.
#define ZELVORA_NEED_SHARED_TESTDATA(path, what)                                                       \
    do {                                                                                               \
        if (!QFile::exists(path)) {                                                                    \
            const QByteArray message_ = QByteArray("The shared test data (") + QFile::encodeName(path) \
                + ") are not on this machine; " + (what) + ".";                                        \
            if (ZELVORA_REQUIRE_TESTDATA)                                                              \
                QFAIL(message_.constData());                                                           \
            QSKIP(message_.constData());                                                               \
        }                                                                                              \
    } while (false)
