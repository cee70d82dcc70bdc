// The recovery copies of the chart over the run: the copy brought up to date at each interval, and
// what becomes of it when the program or the Windows session ends.
#pragma once

struct App;

// The recovery timer's interval has passed.
void OnRecoveryTimer(App& app);
// The program ends normally: this program's recovery files go.
void EndRecoveryCopies(App& app);
// The Windows session ends: as a normal end when the chart is unchanged or the user answered Don't
// Save; otherwise the copy is brought up to date and left for the next start.
void EndSessionRecoveryCopies(App& app);
