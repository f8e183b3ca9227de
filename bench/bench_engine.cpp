// Readings per second of the engine, for names of ordinary length.
#include "engine/Explanation.h"
#include "engine/Interpretation.h"
#include "engine/InterpretationTexts.h"

#include <benchmark/benchmark.h>

using namespace numerology;

namespace {

PersonDetails OrdinaryPerson()
{
    PersonDetails p;
    p.firstName = "ELIZABETH";
    p.middleName = "ANNE";
    p.lastName = "MONTGOMERY";
    p.birthDay = 17;
    p.birthMonth = "September";
    p.birthYear = 1987;
    p.birthHour = 14;
    return p;
}

void BM_ComputeInterpretation(benchmark::State &state)
{
    const PersonDetails person = OrdinaryPerson();
    for (auto _ : state) {
        Interpretation r = computeInterpretation(person);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeInterpretation);

void BM_DescribeInterpretation(benchmark::State &state)
{
    Interpretation reading = computeInterpretation(OrdinaryPerson());
    std::int16_t n = 0;
    for (auto _ : state) {
        reading.firstHealthInfluence = static_cast<std::int16_t>(n++ % 24);
        benchmark::DoNotOptimize(reading);
        InterpretationTexts t = describeInterpretation(reading);
        benchmark::DoNotOptimize(t);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DescribeInterpretation);

void BM_ExplainInterpretation(benchmark::State &state)
{
    const PersonDetails person = OrdinaryPerson();
    for (auto _ : state) {
        Explanation e = explainInterpretation(person);
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExplainInterpretation);

PersonDetails LongNamedPerson()
{
    PersonDetails person = OrdinaryPerson();
    person.lastName = std::string(200, 'M') + "ONTGOMERY";
    return person;
}

// Told into the memory of the reading before, as a file of many people is; a name longer than is
// listed letter by letter is told by its letters' counts.
void BM_ExplainInterpretationReused(benchmark::State &state, const PersonDetails &person)
{
    Explanation e;
    for (auto _ : state) {
        explainInterpretation(person, e);
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ExplainInterpretationReused, ordinary, OrdinaryPerson());
BENCHMARK_CAPTURE(BM_ExplainInterpretationReused, longName, LongNamedPerson());

} // namespace

BENCHMARK_MAIN();
