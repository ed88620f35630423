// The animation of one view: whether it runs, the interval of its timer, whether it starts
// again after the last frame, and the step from one of the renderer's frames to the next.
#pragma once

class CViewAnimation
{
public:
    bool IsAnimating() const { return m_isAnimating; }
    void SetAnimating(bool isAnimating) { m_isAnimating = isAnimating; }
    // Milliseconds between timer ticks, as the project file keeps it.
    int Interval() const { return m_intervalMs; }
    void SetInterval(int intervalMs) { m_intervalMs = intervalMs; }
    bool IsRepeating() const { return m_isRepeating; }
    void SetRepeating(bool isRepeating) { m_isRepeating = isRepeating; }
    // Stop ends the run and its repetition.
    void Stop()
    {
        m_isRepeating = false;
        m_isAnimating = false;
    }

    // Frames 0 to frames: a step forward from the last wraps to 0, back from 0 to the last.
    static int StepFrame(int frame, int frames, bool forward)
    {
        return forward ? (frame + 1) % (frames + 1) : frame <= 0 ? frames : frame - 1;
    }
    // The frame a timer tick shows after frame: 0 again when repeating, -1 when the run ends.
    int NextFrame(int frame, int frames) const
    {
        if (frame < frames)
            return (frame + 1) % (frames + 1);
        return m_isRepeating ? 0 : -1;
    }

private:
    bool m_isAnimating = false;
    int m_intervalMs = 250;
    bool m_isRepeating = false;
};
