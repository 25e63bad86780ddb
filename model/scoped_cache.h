// A cache of what the host answered, kept while at least one scope is open:
// the outermost scope forgets it when it ends, so that no answer outlives
// the state it was read from.
#pragma once

class ScopedCache {
  public:
    class Scope {
      public:
        explicit Scope(ScopedCache& cache) : cache_(cache) { ++cache_.depth_; }
        ~Scope() {
            if (--cache_.depth_ == 0)
                cache_.Forget();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        ScopedCache& cache_;
    };

  protected:
    ScopedCache() = default;
    ~ScopedCache() = default;
    ScopedCache(const ScopedCache&) = delete;
    ScopedCache& operator=(const ScopedCache&) = delete;

    bool InScope() const { return depth_ > 0; }
    virtual void Forget() = 0;

  private:
    int depth_ = 0;
};
