#include "mockexam/ExamCountdown.h"

namespace zelvora::mockexam {

void ExamCountdown::start(int limitSeconds)
{
    m_limit = limitSeconds > 0 ? limitSeconds : 0;
    m_remaining = m_limit;
    m_finished = false;
}

CountdownEvent ExamCountdown::tick()
{
    if (!limited() || m_finished)
        return CountdownEvent::None;
    --m_remaining;
    if (m_remaining <= 0) {
        m_remaining = 0;
        m_finished = true;
        return CountdownEvent::TimeUp;
    }
    if (m_remaining == FirstNotice)
        return CountdownEvent::ThirtyMinutesLeft;
    if (m_remaining == LastNotice)
        return CountdownEvent::FiveMinutesLeft;
    return CountdownEvent::None;
}

std::string ExamCountdown::ClockText(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

std::string ExamCountdown::NoticeText(CountdownEvent event)
{
    switch (event) {
    case CountdownEvent::ThirtyMinutesLeft:
        return "Faltam 30 minutos para o fim da prova.";
    case CountdownEvent::FiveMinutesLeft:
        return "Faltam 5 minutos para o fim da prova.";
    case CountdownEvent::TimeUp:
        return "O tempo da prova acabou.";
    case CountdownEvent::None:
        break;
    }
    return {};
}

} // namespace zelvora::mockexam
