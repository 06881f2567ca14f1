#pragma once
// The exercise ("Vezba"): while it is on, each step page of the lesson is first shown as its
// question, on the picture as it stood before the step; the answer is checked against the right
// answer the lesson recorded from its own sweeps, said right or wrong with the reason, and the step
// shown. One grader for every front end: what is asked, what was answered and the score are plain
// values here, and the caption the window and the page show is made from them.

#include <string>
#include <vector>

#include "viewer/lesson.h"

// A clause as a sentence: its first letter a capital, a full stop after it.
std::string sentence(const std::string& clause);

// An answer checked: right or not, and the line that says so, "Tacno. " or "Netacno: " and the
// reason in one sentence that names the right answer.
struct Graded {
    bool right = false;
    std::string line;
};
Graded grade(const Question& question, const Answer& answer);

// The exercise's state: on or off, the answers given so far (by page, then by question), and for
// the question waiting, the vertices chosen (by a click or a number) and the digits being typed.
struct ExerciseState {
    bool on = false;
    std::vector<std::vector<Answer>> given;
    std::vector<int> chosen;  // in the order chosen
    std::string typed;
    std::string message;      // a word on the last key, such as a number that is no vertex's
};

// Every answer taken back, for the lesson as it is now (V off and on again, or another polygon).
void startExercise(ExerciseState& state, const Lesson& lesson);

// The question page `page` is waiting on: its first one not answered yet; none while the exercise is
// off, or when the page asks nothing or all it asks is answered.
const Question* waiting(const Lesson& lesson, const ExerciseState& state, int page);

// Takes the answer to the question waiting on `page` (if one is); the choice and the typing start
// over. True when there was a question to answer.
bool answerWaiting(ExerciseState& state, const Lesson& lesson, int page, Answer answer);

// Chooses a vertex for the question waiting, or takes it back when it was chosen.
void choose(ExerciseState& state, int vertex);

// The number being typed, put to the vertices chosen (a vertex chosen twice is taken back); a number
// that is no vertex's leaves a word instead.
void takeTyped(ExerciseState& state, int vertexCount);

// The answers so far: how many right of how many given, and the pages ("Strana" numbers, from 1) that
// have a wrong one.
struct Score {
    int right = 0;
    int answered = 0;
    std::vector<int> wrongPages;
};
Score scoreOf(const Lesson& lesson, const ExerciseState& state);

// "Rezultat: 3 od 4. Pogresni odgovori: strana 6" (none to answer in the whole lesson: a line that
// says so).
std::string scoreLine(const Lesson& lesson, const Score& score);

// The page as the exercise shows it: a question's own page while it waits, else the step's.
const Page& exercisePage(const Lesson& lesson, const ExerciseState& state, int page);

// The caption the exercise shows on `page`, unwrapped: a waiting question's page caption (the
// verdict, the page's place), the answers given on it so far, "Pitanje K od M: " and the question,
// what is chosen so far, two empty lines for the buttons of its choices; or, all answered, the step's
// own caption with the answers' lines after its first two; on every page the score last.
struct ExerciseCaption {
    std::vector<std::string> lines;
    int buttonsAt = -1;  // the first of the two lines a waiting question's buttons take (its choices, or typing and confirming)
};
ExerciseCaption exerciseCaption(const Lesson& lesson, const ExerciseState& state, int page);

// The most lines, wrapped to `chars`, that page `page`'s exercise caption takes: with each of its
// questions waiting in turn, and with every answer given (the score at its likely longest).
int tallestExerciseCaption(const Lesson& lesson, int page, int chars);
