// Raw Jordan-exchange tableau behind NmMatrix::feasible and friends. The numeric blocks and
// direction cones pose their small containment and overlap systems here on stack storage,
// so their tests do not allocate per call.
#ifndef VQGE_NUMERIC_NM_MATRIX_EXCHANGE_H
#define VQGE_NUMERIC_NM_MATRIX_EXCHANGE_H

// Tableau views of caller-owned arrays. The objective members are null for the plain forms.
struct NmExTableau {
    double* a;      // rows x cols, row-major
    double* b;      // rows
    int* rowState;  // rows
    int* colState;  // cols
    int rows;
    int cols;
    double* cost;   // cols, or null
    double* value;  // objective value, or null
    int* rowLabel;  // rows, or null
    int* colLabel;  // cols, or null
};

// Complete exchange on a(r, c); 0 and nothing changed when out of range or |a(r, c)| is
// below NmMatrix::kExPivotTol (NaN included).
int nmExPivot(NmExTableau& t, int r, int c);
// Eliminates or retires the equality rows; 0 when one of them cannot hold. With a counter,
// every exchange is counted and none is made once NmMatrix::kMaxExchanges is reached.
int nmExEqual(NmExTableau& t, double tol, int* exchanges);
// The four-argument feasibility search (at most 2 * rows * cols exchanges).
int nmExFeasible(NmExTableau& t, double tol);
// The objective-carrying search and optimisation, sharing the exchange counter.
int nmExFeasibleCost(NmExTableau& t, double tol, int& exchanges);
int nmExOptimal(NmExTableau& t, double tol, int& exchanges);
// 0 when an entry of a, b, the cost row or the value is NaN or infinite.
int nmExAllFinite(const NmExTableau& t);

// Zero-filled tableau with every state 0, on the stack up to the inline sizes and on the
// heap beyond them. ok() is 0 when the heap block could not be had.
class NmExWork {
public:
    NmExWork(int rows, int cols);
    ~NmExWork();
    NmExWork(const NmExWork&) = delete;
    NmExWork& operator=(const NmExWork&) = delete;

    int ok() const { return mOk; }
    int rows() const { return mT.rows; }
    int cols() const { return mT.cols; }
    double& a(int i, int j) { return mT.a[i * mT.cols + j]; }
    double& b(int i) { return mT.b[i]; }
    int& rowState(int i) { return mT.rowState[i]; }
    int& colState(int j) { return mT.colState[j]; }
    // Four-argument feasibility on the posed system; 0 when storage failed or on NaN input.
    int feasible(double tol);

private:
    static constexpr int kInlineEntries = 128;
    static constexpr int kInlineLines = 24;

    NmExTableau mT;
    int mOk;
    void* mHeap;
    double mA[kInlineEntries];
    double mB[kInlineLines];
    int mRowState[kInlineLines];
    int mColState[kInlineLines];
};

#endif
