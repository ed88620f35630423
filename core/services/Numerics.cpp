// Threshold Jacobi eigen-solver. The sweep order, the threshold steps of 0.1 and the skip rule
// fix the exact floating-point results; keep them as they are.
#include "core/services/Numerics.h"

#include <cmath>

namespace
{
constexpr double kMachineEpsilon = 2.220446049250313e-16;

// Upper-triangle place of element (r, c) of the symmetric matrix.
double& Upper(double* A, int n, int r, int c)
{
    return r < c ? A[r * n + c] : A[c * n + r];
}

void Rotate(double* V, double* A, int n, int p, int q)
{
    const double a = A[p * n + q];
    const double theta = (A[p * n + p] - A[q * n + q]) * 0.5 / a;
    const double sign = theta < 0.0 ? -1.0 : 1.0;
    const double t = sign * std::sqrt(theta * theta + 1.0) - theta;
    const double s2 = t * t / (t * t + 1.0);
    const double c2 = 1.0 - s2;
    const double s = t < 0.0 ? -std::sqrt(s2) : std::sqrt(s2);
    const double c = std::sqrt(c2);

    const double app = A[p * n + p];
    const double aqq = A[q * n + q];
    A[p * n + p] = c2 * app + s2 * aqq + 2.0 * c * s * a;
    A[q * n + q] = s2 * app + c2 * aqq - 2.0 * c * s * a;
    A[p * n + q] = 0.0;
    A[q * n + p] = 0.0;

    for (int r = 0; r < n; ++r)
    {
        if (r == p || r == q)
            continue;
        double& x = Upper(A, n, r, p);
        double& y = Upper(A, n, r, q);
        const double xOld = x;
        const double yOld = y;
        x = c * xOld + s * yOld;
        y = c * yOld - s * xOld;
    }
    for (int k = 0; k < n; ++k)
    {
        const double vp = V[k * n + p];
        const double vq = V[k * n + q];
        V[k * n + p] = c * vp + s * vq;
        V[k * n + q] = c * vq - s * vp;
    }
}
} // namespace

void JacobiEigen(double* eigenvalues, double* V, double* A, int n)
{
    if (n < 1)
        return;
    if (n == 1)
    {
        eigenvalues[0] = A[0];
        V[0] = 1.0;
        return;
    }
    for (int i = 0; i < n; ++i)
    {
        for (int j = 0; j < n; ++j)
            V[i * n + j] = i == j ? 1.0 : 0.0;
    }

    double sum = 0.0;
    for (int i = 0; i < n; ++i)
    {
        for (int j = i + 1; j < n; ++j)
            sum += A[i * n + j] * A[i * n + j];
    }
    const double norm = std::sqrt(2.0 * sum);
    const double eps = norm * kMachineEpsilon;
    double threshold = norm;
    double rowMax = norm + 1.0;

    while (threshold > eps)
    {
        threshold *= 0.1;
        if (rowMax < threshold)
            continue;
        rowMax = 0.0;
        for (int p = 0; p < n - 1; ++p)
        {
            for (int q = p + 1; q < n; ++q)
            {
                if (std::fabs(A[p * n + q]) >= threshold)
                    Rotate(V, A, n, p, q);
            }
            for (int r = 0; r < n; ++r)
            {
                if (r != p && std::fabs(A[p * n + r]) > rowMax)
                    rowMax = std::fabs(A[p * n + r]);
            }
        }
    }
    for (int i = 0; i < n; ++i)
        eigenvalues[i] = A[i * n + i];
}

void SortAscending(double* values, int n)
{
    for (int i = 0; i < n; ++i)
    {
        int m = i;
        for (int j = i; j < n; ++j)
        {
            if (values[j] < values[m])
                m = j;
        }
        const double held = values[i];
        values[i] = values[m];
        values[m] = held;
    }
}
