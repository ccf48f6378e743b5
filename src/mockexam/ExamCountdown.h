#pragma once
// The time left of an exam with a time limit. The exam window's one-second
// clock calls tick() once per second; the countdown says when to show the
// notices (30 and 5 minutes left) and when the time is up. Without a limit
// it never finishes and gives no notice.
#include <string>

namespace zelvora::mockexam {

enum class CountdownEvent {
    None,
    ThirtyMinutesLeft,
    FiveMinutesLeft,
    TimeUp,
};

class ExamCountdown {
public:
    static constexpr int FirstNotice = 30 * 60;
    static constexpr int LastNotice = 5 * 60;

    // limitSeconds <= 0: no limit.
    void start(int limitSeconds);
    void stop()
    {
        m_limit = 0;
        m_remaining = 0;
        m_finished = false;
    }

    bool limited() const { return m_limit > 0; }
    int limit() const { return m_limit; }
    int remaining() const { return m_remaining; }
    bool finished() const { return m_finished; }

    // One second has passed. A notice comes once, on the second the time
    // left reaches it (a limit of 20 minutes gives only the 5-minute
    // notice); TimeUp comes once, when the time left reaches 0.
    CountdownEvent tick();

    // The time left as h:mm:ss ("2:59:59").
    std::string text() const { return ClockText(m_remaining); }
    static std::string ClockText(int seconds);
    // "Faltam 30 minutos para o fim da prova." and the like; empty for None.
    static std::string NoticeText(CountdownEvent event);

private:
    int m_limit = 0;
    int m_remaining = 0;
    bool m_finished = false;
};

} // namespace zelvora::mockexam
