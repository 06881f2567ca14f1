#include "viewer/exercise.h"

#include <algorithm>

#include "viewer/layout.h"

namespace {

bool holds(const std::vector<int>& list, int v) { return std::find(list.begin(), list.end(), v) != list.end(); }

// The line under a question answered with vertices: what is chosen and typed so far, and how to go on.
std::string choiceLine(const ExerciseState& state) {
    std::string line = state.chosen.empty() ? "Izabrano: ništa" : "Izabrano: " + vertexNumbers(state.chosen);
    if (!state.typed.empty()) line += "; kucate " + state.typed;
    line += state.chosen.empty() && state.typed.empty()
                ? ". Klik na teme ili njegov broj (razmak ili zarez između), pa Enter; Enter bez izbora: nijedno."
                : ". Enter potvrđuje.";
    if (!state.message.empty()) line += " " + state.message;
    return line;
}

// The line under a question answered with a number: what is typed so far, and how to go on.
std::string numberLine(const ExerciseState& state) {
    std::string line = state.typed.empty() ? "Upišite broj, pa Enter." : "Kucate " + state.typed + ". Enter potvrđuje.";
    if (!state.message.empty()) line += " " + state.message;
    return line;
}

const std::vector<Answer>& answersOn(const ExerciseState& state, int page) {
    static const std::vector<Answer> none;
    return page >= 0 && page < static_cast<int>(state.given.size()) ? state.given[page] : none;
}

}  // namespace

std::string sentence(const std::string& clause) {
    std::string s = clause;
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + ".";
}

Graded grade(const Question& q, const Answer& a) {
    Graded g;
    if (asksNumber(q)) {
        g.right = a.choice >= q.right.choice && a.choice <= std::max(q.right.choice, q.most);
        const std::string said = std::to_string(a.choice);
        g.line = g.right ? "Tačno. " + sentence(q.rule)
                         : "Netačno: " + (a.choice < q.right.choice ? said + " nije dovoljno" : said + " je više nego što treba") +
                               "; " + q.rule + ".";
        return g;
    }
    if (!q.choices.empty()) {
        g.right = a.choice == q.right.choice;
        g.line = g.right ? "Tačno. " + sentence(q.rule) : "Netačno: " + q.rule + ".";
        return g;
    }
    std::vector<int> chosen = a.vertices;
    std::sort(chosen.begin(), chosen.end());
    const std::vector<int>& right = q.right.vertices;
    g.right = chosen == right;
    if (g.right) {
        g.line = "Tačno. " + sentence(q.rule + "; " + q.result);
        return g;
    }
    // The first vertex chosen that is none of the answer, and why; else the first one missing.
    std::string why;
    for (const int v : chosen) {
        if (holds(right, v)) continue;
        const auto said = std::find_if(q.whyNot.begin(), q.whyNot.end(), [&](const auto& w) { return w.first == v; });
        if (said != q.whyNot.end()) {
            why = said->second;
        } else if (!q.elsewhere.empty()) {
            why = "teme " + std::to_string(v + 1) + " " + q.elsewhere;
        }
        break;
    }
    if (why.empty()) {
        for (const int v : right) {
            if (holds(chosen, v)) continue;
            why = "nedostaje dijagonala " + std::to_string(q.vertex + 1) + "-" + std::to_string(v + 1);
            break;
        }
    }
    g.line = "Netačno: " + (why.empty() ? std::string() : why + "; ") + q.rule + "; " + q.result + ".";
    return g;
}

void startExercise(ExerciseState& state, const Lesson& lesson) {
    state.given.assign(lesson.pages.size(), {});
    for (std::size_t k = 0; k < lesson.pages.size(); ++k) state.given[k].resize(lesson.pages[k].questions.size());
    state.chosen.clear();
    state.typed.clear();
    state.message.clear();
}

const Question* waiting(const Lesson& lesson, const ExerciseState& state, int page) {
    if (!state.on || page < 0 || page >= static_cast<int>(lesson.pages.size())) return nullptr;
    const std::vector<Question>& questions = lesson.pages[page].questions;
    const std::vector<Answer>& given = answersOn(state, page);
    for (std::size_t q = 0; q < questions.size(); ++q) {
        if (q >= given.size() || !given[q].given) return &questions[q];
    }
    return nullptr;
}

bool answerWaiting(ExerciseState& state, const Lesson& lesson, int page, Answer answer) {
    const Question* q = waiting(lesson, state, page);
    if (q == nullptr || page >= static_cast<int>(state.given.size())) return false;
    answer.given = true;
    std::sort(answer.vertices.begin(), answer.vertices.end());
    state.given[page][q - lesson.pages[page].questions.data()] = answer;
    state.chosen.clear();
    state.typed.clear();
    state.message.clear();
    return true;
}

void takeTyped(ExerciseState& state, int vertexCount) {
    if (state.typed.empty()) return;
    const std::string typed = state.typed;
    state.typed.clear();
    const long number = typed.size() > 6 ? 0 : std::stol(typed);
    if (number < 1 || number > vertexCount) {
        state.message = "Nema temena " + typed + ".";
        return;
    }
    choose(state, static_cast<int>(number) - 1);
}

void choose(ExerciseState& state, int vertex) {
    const auto at = std::find(state.chosen.begin(), state.chosen.end(), vertex);
    if (at == state.chosen.end()) {
        state.chosen.push_back(vertex);
    } else {
        state.chosen.erase(at);
    }
    state.message.clear();
}

Score scoreOf(const Lesson& lesson, const ExerciseState& state) {
    Score score;
    for (std::size_t k = 0; k < lesson.pages.size(); ++k) {
        const std::vector<Answer>& given = answersOn(state, static_cast<int>(k));
        bool wrong = false;
        for (std::size_t q = 0; q < given.size() && q < lesson.pages[k].questions.size(); ++q) {
            if (!given[q].given) continue;
            ++score.answered;
            if (grade(lesson.pages[k].questions[q], given[q]).right) {
                ++score.right;
            } else {
                wrong = true;
            }
        }
        if (wrong) score.wrongPages.push_back(static_cast<int>(k) + 1);
    }
    return score;
}

std::string scoreLine(const Lesson& lesson, const Score& score) {
    if (lesson.questionCount == 0) return "Vežba: ovaj poligon nema pitanja.";
    std::string line = "Rezultat: " + std::to_string(score.right) + " od " + std::to_string(score.answered);
    if (!score.wrongPages.empty()) {
        std::vector<int> pages;
        for (const int p : score.wrongPages) pages.push_back(p - 1);
        line += std::string(". Pogrešni odgovori: ") + (pages.size() == 1 ? "strana " : "strane ") + vertexNumbers(pages);
    }
    return line;
}

const Page& exercisePage(const Lesson& lesson, const ExerciseState& state, int page) {
    const Question* q = waiting(lesson, state, page);
    return q != nullptr ? q->view : lesson.pages[page];
}

ExerciseCaption exerciseCaption(const Lesson& lesson, const ExerciseState& state, int page) {
    ExerciseCaption out;
    const Page& shown = lesson.pages[page];
    const std::vector<Answer>& given = answersOn(state, page);
    std::vector<std::string> answered;
    for (std::size_t q = 0; q < given.size() && q < shown.questions.size() && given[q].given; ++q) {
        answered.push_back(grade(shown.questions[q], given[q]).line);
    }
    std::vector<std::string>& lines = out.lines;
    if (const Question* q = waiting(lesson, state, page)) {
        lines = q->view.caption;
        lines.insert(lines.end(), answered.begin(), answered.end());
        lines.push_back("Pitanje " + std::to_string(q->number) + " od " + std::to_string(lesson.questionCount) + ": " + q->text);
        if (asksNumber(*q)) {
            lines.push_back(numberLine(state));
        } else if (q->choices.empty()) {
            lines.push_back(choiceLine(state));
        }
        // Two lines for the buttons: the choices, or those that type and confirm the answer.
        out.buttonsAt = static_cast<int>(lines.size());
        lines.insert(lines.end(), 2, std::string());
    } else {
        // The full picture has no caption of its own: its verdict and place stand first.
        lines = page == 0 ? std::vector<std::string>{lesson.verdictLine, pageLine(lesson, 0)} : shown.caption;
        const std::size_t at = std::min<std::size_t>(2, lines.size());
        lines.insert(lines.begin() + static_cast<long>(at), answered.begin(), answered.end());
    }
    lines.push_back(scoreLine(lesson, scoreOf(lesson, state)));
    return out;
}

int tallestExerciseCaption(const Lesson& lesson, int page, int chars) {
    ExerciseState state;
    state.on = true;
    startExercise(state, lesson);
    int most = 0;
    auto measure = [&] {
        std::vector<std::string> lines = exerciseCaption(lesson, state, page).lines;
        lines.back() = "Rezultat: 100 od 100. Pogrešni odgovori: strane 10, 20, 30, 40 i 50";
        most = std::max(most, static_cast<int>(wrapLines(lines, chars).size()));
    };
    const std::vector<Question>& questions = lesson.pages[page].questions;
    for (std::size_t q = 0; q < questions.size(); ++q) {
        measure();
        state.given[page][q] = questions[q].right;
        state.given[page][q].given = true;
    }
    measure();
    return most;
}
