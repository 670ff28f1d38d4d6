// How long a posted message waits in Pelmora's queue while the shell does not answer: a Pelmora
// main window runs in this process on the benchmark's message loop, and a watcher thread posts a
// time-stamped message to a window of the same thread every millisecond it is free to. A thread
// blocked in a send to another process still answers messages sent to it, so only a posted
// message shows the freeze a person sees.
//
// Four runs of 10 s each, with the same person and system acting in each: the label applied with a
// click on its picture at 1 s and 5 s, a "TaskbarCreated" at 3 s, the stored shape switched between
// Ellipse and Rectangle at 2, 4, 6 and 8 s.
//   - nothing hung (the floor);
//   - four taskbars of further monitors in another process (stand_in_taskbars.exe) that answer;
//   - the same four, made at 0.5 s, whose thread then stops answering for the rest of the run;
//   - the shell stopped for 10 s (SIGSTOP of this prefix's explorer.exe, then SIGCONT), which
//     scripts/bench.sh does on request: a file in the folder named by PELMORA_BENCH_SIGNALS.
#pragma once

namespace queue_waits {

void Print();

}  // namespace queue_waits
