// Stand-ins for the Windows functions that the code under test imports:
// where Wine cannot show what Windows would (a path past MAX_PATH, a call
// that Windows 95 refuses), a test puts its own function in the import's
// slot for a while.
#ifndef VELMORA_TESTS_STAND_IN_H
#define VELMORA_TESTS_STAND_IN_H

#ifdef _WIN64
#define IMPORTED(name, bytes) "__imp_" #name
#else
#define IMPORTED(name, bytes) "__imp__" #name "@" #bytes
#endif

// An import's slot holds the stand-in for the life of the object, even
// when the test ends early.
template <typename Function>
class StandIn {
public:
    StandIn(Function& slot, Function standIn) : slot_(slot), kept_(slot) { slot_ = standIn; }
    ~StandIn() { slot_ = kept_; }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    Function& slot_;
    Function kept_;
};

#endif
